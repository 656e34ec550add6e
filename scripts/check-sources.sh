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

# Only the data layer knows tables and columns: the folders above it reach the database through
# its functions, never through Qt SQL.
sqlIncludes=$(git ls-files 'src/app/*' 'src/main/*' 'src/search/*' 'src/editing/*' 'src/web/*' 'src/ui/*' |
  grep -E '\.(cpp|h)$' | xargs grep -nE '^[[:space:]]*#[[:space:]]*include[[:space:]]*[<"](QtSql|QSql)' || true)
if [ -n "$sqlIncludes" ]; then
  echo "$sqlIncludes" >&2
  echo "Qt SQL included above the data layer: read and write through a function of src/data." >&2
  status=1
fi

# Each folder of src/ includes only the folders its library links (docs/ARCHITECTURE.md); the
# program's own main.cpp is apart from its library. Within data/, the layers from the bottom up
# include only those before them, and DbError.h, which every layer throws.
declare -A mayInclude=([data]="" [ui]="data" [search]="ui data" [editing]="ui data" [web]="ui data"
  [main]="search editing web ui data" [app]="data" [transfer]="data")
layers=(safety statements setup drivers connection rows writes)
crossing=$(for folder in "${!mayInclude[@]}"; do
  others=$(printf '%s\n' "${!mayInclude[@]}" | grep -vxE "$folder|${mayInclude[$folder]// /|}" | paste -sd'|')
  git ls-files "src/$folder/*.cpp" "src/$folder/*.h" | grep -vx "src/app/main.cpp" |
    xargs -r grep -nE "^[[:space:]]*#[[:space:]]*include[[:space:]]*\"($others)/" || true
done
for i in "${!layers[@]}"; do
  above=$(IFS='|' && echo "${layers[*]:i+1}")
  [ -n "$above" ] || continue
  git ls-files "src/data/${layers[i]}/*.cpp" "src/data/${layers[i]}/*.h" |
    xargs -r grep -nE "^[[:space:]]*#[[:space:]]*include[[:space:]]*\"data/($above)/" || true
done)
if [ -n "$crossing" ]; then
  echo "$crossing" >&2
  echo "Included against the folders' order (data: ${layers[*]}): see docs/ARCHITECTURE.md." >&2
  status=1
fi

# Every text a user sees goes through Qt's translation functions: a plain literal handed to a
# message box, a caption, a title or a failure's words is a text the translations never see.
untranslated=$(git ls-files 'src/*.cpp' 'src/*.h' | xargs perl -0777 -ne '
  while (/\b(MsgBox|DbError|ShowInvalidData|ShowNotStored|MissingChoiceMessage|setText|setWindowTitle|setTitle|
             setToolTip|setStatusTip|setWhatsThis|setPlaceholderText|setAccessibleName|setAccessibleDescription|
             addAction|addItem|QLabel|QPushButton|QCheckBox|QRadioButton|QGroupBox|QAction|QListWidgetItem|QMenu)
             \s*\(\s*(QStringLiteral|QLatin1String|QLatin1StringView|QString::fromLatin1|QString::fromUtf8)?\s*\(?\s*
             "([^"]*[A-Za-z]{2}[^"]*)"/gx) {
    my $before = substr($_, 0, $-[0]);
    printf "%s:%d: \"%s\"\n", $ARGV, ($before =~ tr/\n//) + 1, $3;
  }
  while (/\b(refusal|error|failure|what|message)\s*=\s*QStringLiteral\(\s*"([^"]*[A-Za-z]{2} [^"]*)"/g) {
    my $before = substr($_, 0, $-[0]);
    printf "%s:%d: \"%s\"\n", $ARGV, ($before =~ tr/\n//) + 1, $2;
  }')
if [ -n "$untranslated" ]; then
  echo "$untranslated" >&2
  echo "Shown to the user without tr() or QCoreApplication::translate(): translate the texts above." >&2
  status=1
fi

# The catalogues hold every text of the sources, each translated: a text added without its
# translation is "unfinished" once lupdate has read the sources.
lupdate=$(command -v lupdate || echo /usr/lib/qt6/bin/lupdate)
if [ -x "$lupdate" ]; then
  scratch=$(mktemp -d)
  for catalogue in translations/*.ts; do
    cp "$catalogue" "$scratch/"
    # English's catalogue holds its plurals alone ("%n categories": "1 category").
    plurals=()
    [[ $catalogue == */tarnwick_en.ts ]] && plurals=(-pluralonly)
    "$lupdate" -silent -locations none -no-obsolete "${plurals[@]}" src -ts "$scratch/${catalogue##*/}" > /dev/null
    missing=$(grep -c 'type="unfinished"' "$scratch/${catalogue##*/}" || true)
    if [ "$missing" -ne 0 ]; then
      echo "$catalogue lacks $missing translations: run 'cmake --build build --target update_translations'" \
        "and translate the texts marked unfinished (Qt Linguist: linguist $catalogue)." >&2
      grep -B2 'type="unfinished"' "$scratch/${catalogue##*/}" | grep '<source>' >&2
      status=1
    fi
  done
  rm -rf "$scratch"
else
  echo "lupdate (qt6-l10n-tools) is missing: the catalogues were not checked" >&2
  status=1
fi
exit $status
