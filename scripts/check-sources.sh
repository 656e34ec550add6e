#!/usr/bin/env bash
# Checks what a review would otherwise have to catch: every C++ file git tracks is formatted as
# .clang-format says (with Debian 12's clang-format 14, which CI has), and every source file and
# test program is named in the build's lists, since one missing there is silently not built or
# not run.
set -euo pipefail
cd "$(dirname "$0")/.."
status=0

version=$(clang-format --version)
[[ $version == *" 14."* ]] || echo "note: $version is not clang-format 14, which sets the format" >&2
mapfile -t files < <(git ls-files '*.cpp' '*.h')
if ! clang-format --dry-run --Werror "${files[@]}"; then
  echo "Not formatted as .clang-format says: run clang-format -i on the files above." >&2
  status=1
fi

listed() { # file, as the list names it, and the list
  grep -Eq "(^|[[:space:]])$1([[:space:]]|\)|$)" "$2" || { echo "$3 is not named in $2" >&2; status=1; }
}
while read -r file; do
  listed "${file#src/}" src/CMakeLists.txt "$file"
done < <(git ls-files 'src/*.cpp' 'src/*.h' 'src/*.qrc')
while read -r file; do
  listed "${file#bench/}" bench/CMakeLists.txt "$file"
done < <(git ls-files 'bench/*.cpp' 'bench/*.h' | grep -v '/.*/')
while read -r file; do
  listed "${file#tests/}" tests/CMakeLists.txt "$file"
done < <(git ls-files 'tests/support/*.cpp' 'tests/support/*.h')
while read -r file; do
  name=$(basename "$file" .cpp)
  listed "$name" tests/CMakeLists.txt "$file"
done < <(git ls-files 'tests/*/tst_*.cpp')
exit $status
