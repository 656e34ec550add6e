#!/usr/bin/env bash
# Cross-builds Tarnwick for 64-bit Windows on Debian: build-windows/bin/tarnwick.exe beside the
# DLLs and plugins it loads, its tests, an NSIS installer and a ZIP of the same tree.
#
# On first use it builds what Debian has no MinGW package of: SQLite (sqlite3.dll) and Qt (qtbase,
# qtsvg) from Debian's own source packages, into a cache folder outside the work tree
# ($TARNWICK_CACHE, by default ~/.cache/tarnwick). That takes 20 minutes on two idle cores and
# over an hour on busy ones; later runs find it and only build Tarnwick. Nothing is fetched but Debian's packages and source packages.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
# shellcheck source=scripts/windows/common.sh
source "$root/scripts/windows/common.sh"

windows::install_packages
windows::cross_qt

build=$root/build-windows
[ -n "${CMAKE_CXX_COMPILER_LAUNCHER:-}" ] || ! command -v ccache > /dev/null ||
  export CMAKE_CXX_COMPILER_LAUNCHER=ccache CMAKE_C_COMPILER_LAUNCHER=ccache
# The pictures are drawn at build time by the build machine's own drawing program.
cmake -S "$root/tools/render-icon" -B "$build/host-tools" -G Ninja -DCMAKE_BUILD_TYPE=Release > /dev/null
cmake --build "$build/host-tools" > /dev/null

export TARNWICK_MINGW_PREFIX=$windows_prefix
# The tests run under Wine (scripts/windows/test.sh): CTest starts each through it, on the
# first desktop of those test.sh made that is free.
cmake -S "$root" -B "$build" -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/windows/mingw-w64.cmake" \
  -DCMAKE_PREFIX_PATH="$windows_prefix" -DQT_HOST_PATH=/usr \
  -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
  -DCMAKE_CROSSCOMPILING_EMULATOR="$root/scripts/windows/wine-on-desktop.sh" \
  -DTARNWICK_HOST_RENDER_ICON="$build/host-tools/tarnwick-render-icon" \
  -DCMAKE_BUILD_TYPE=Release -DTARNWICK_WERROR=ON -DTARNWICK_BUILD_BENCH=OFF > /dev/null
nice -n 10 cmake --build "$build" -j"$windows_jobs"
(cd "$build" && cpack > /dev/null)
ls "$build"/tarnwick-*-win64.exe "$build"/tarnwick-*-win64.zip
