# What scripts/windows/build.sh and test.sh share: the cache of the cross-built libraries, and
# how it is made. Sourced, not run.

windows_qt_version=6.4.2
windows_cache=${TARNWICK_CACHE:-$HOME/.cache/tarnwick}
windows_prefix=$windows_cache/mingw-qt-$windows_qt_version
windows_jobs=${TARNWICK_JOBS:-2}
windows_triplet=x86_64-w64-mingw32
# The cross-built prefix is complete only when this file exists: a build cut short is resumed.
windows_complete=$windows_prefix/.complete

# Wine: a prefix of the build's own, made afresh by test.sh, with no prompt to fetch Mono or
# Gecko (nothing here needs them), and the DLLs of the cross-built libraries and the compiler
# on the tests' search path.
windows::wine_environment() {
  export WINEPREFIX=$1 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  local gcc_dlls
  gcc_dlls=$(dirname "$("$windows_triplet-g++-posix" -print-file-name=libstdc++-6.dll)")
  local dlls=$windows_prefix/bin
  export WINEPATH="Z:${dlls//\//\\};Z:${gcc_dlls//\//\\};Z:\\usr\\$windows_triplet\\lib"
  export QT_PLUGIN_PATH="Z:$windows_prefix/plugins" QT_QPA_PLATFORM=windows
}

windows::install_packages() {
  # Qt Linguist's tools compile the catalogues on the build machine, which also gives Qt's own.
  local packages=(g++-mingw-w64-x86-64-posix wine wine64 nsis sqlite3 dpkg-dev tcl ninja-build cmake
    qt6-tools-dev qt6-l10n-tools qt6-translations-l10n) missing=()
  local p
  for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2> /dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  local sudo=()
  [ "$(id -u)" -eq 0 ] || sudo=(sudo)
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# Source packages need deb-src lines. They are made from the machine's own Debian archive
# entries (deb822 .sources files signed by Debian's archive key), so the mirror is the one the
# machine already uses.
windows::enable_source_packages() {
  apt-get indextargets --format '$(CREATED_BY)' 2> /dev/null | grep -qx Sources && return 0
  local sudo=()
  [ "$(id -u)" -eq 0 ] || sudo=(sudo)
  awk 'BEGIN { RS = ""; ORS = "\n\n" }
       /Types:[^\n]*deb/ && /debian-archive-keyring/ { sub(/Types:[^\n]*/, "Types: deb-src"); print }' \
    /etc/apt/sources.list.d/*.sources |
    "${sudo[@]}" tee /etc/apt/sources.list.d/tarnwick-deb-src.sources > /dev/null
  [ -s /etc/apt/sources.list.d/tarnwick-deb-src.sources ] || {
    echo "No Debian archive in /etc/apt/sources.list.d/*.sources to take source packages from" >&2
    return 1
  }
  "${sudo[@]}" apt-get update -qq
}

# Unpacks Debian's source package $1 (at version $2 when given) into sources/$3.
windows::source() {
  local package=$1 version=$2 dir=$windows_cache/sources/$3
  [ -d "$dir" ] && return 0
  windows::enable_source_packages
  mkdir -p "$windows_cache/sources"
  # Without a version apt fetches the one it would install, and the pattern finds its file.
  # shellcheck disable=SC2206
  (cd "$windows_cache/sources" &&
    apt-get source --download-only "$package${version:+=$version}" > /dev/null &&
    local descriptions=("$package"_${version:-*}.dsc) &&
    if [ ${#descriptions[@]} -ne 1 ] || [ ! -f "${descriptions[0]}" ]; then
      echo "Not one source package description of $package in $PWD: ${descriptions[*]}" >&2
      exit 1
    fi &&
    dpkg-source --no-check -x "${descriptions[0]}" "$3" > /dev/null)
}

# SQLite as one DLL that Qt's driver and the program's own SQL functions share: two copies of
# the library in one process would each keep their own locks and allocator for one handle.
windows::sqlite() {
  [ -f "$windows_prefix/bin/sqlite3.dll" ] && return 0
  windows::source sqlite3 "" sqlite3
  local src=$windows_cache/sources/sqlite3 out=$windows_cache/build-sqlite3
  mkdir -p "$out" "$windows_prefix/bin" "$windows_prefix/lib" "$windows_prefix/include"
  # The single-file source is generated on the host (with tclsh); only it is cross-compiled.
  (cd "$out" && [ -f sqlite3.c ] || { "$src/configure" > configure.log && make sqlite3.c > make.log; })
  # Debian's own compile-time options, so that both platforms' SQLite behave alike.
  nice -n 19 "$windows_triplet-gcc-posix" -O2 -shared -o "$out/sqlite3.dll" "$out/sqlite3.c" \
    -DSQLITE_SECURE_DELETE -DSQLITE_ENABLE_COLUMN_METADATA -DSQLITE_ENABLE_FTS3 \
    -DSQLITE_ENABLE_FTS3_PARENTHESIS -DSQLITE_ENABLE_RTREE=1 -DSQLITE_SOUNDEX=1 \
    -DSQLITE_ENABLE_UNLOCK_NOTIFY -DSQLITE_ENABLE_DBSTAT_VTAB -DSQLITE_ENABLE_JSON1 \
    -DSQLITE_LIKE_DOESNT_MATCH_BLOBS -DSQLITE_THREADSAFE=1 -DSQLITE_USE_URI=1 \
    -DSQLITE_MAX_SCHEMA_RETRY=25 -DSQLITE_MAX_VARIABLE_NUMBER=250000 \
    "-DSQLITE_API=__declspec(dllexport)" -Wl,--out-implib,"$out/libsqlite3.dll.a" -static-libgcc
  cp "$out/sqlite3.h" "$out/sqlite3ext.h" "$windows_prefix/include/"
  cp "$out/libsqlite3.dll.a" "$windows_prefix/lib/"
  cp "$out/sqlite3.dll" "$windows_prefix/bin/"
}

# Configures, builds and installs the Qt module in sources/$1 into the prefix.
windows::qt_module() {
  local name=$1
  shift
  local out=$windows_cache/build-$name
  [ -f "$out/.installed" ] && return 0
  export TARNWICK_MINGW_PREFIX=$windows_prefix
  [ -f "$out/build.ninja" ] ||
    cmake -S "$windows_cache/sources/$name" -B "$out" -G Ninja \
      -DCMAKE_TOOLCHAIN_FILE="$root/cmake/windows/mingw-w64.cmake" \
      -DCMAKE_INSTALL_PREFIX="$windows_prefix" -DCMAKE_PREFIX_PATH="$windows_prefix" \
      -DCMAKE_BUILD_TYPE=Release -DQT_HOST_PATH=/usr \
      -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
      -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF "$@"
  nice -n 19 cmake --build "$out" -j"$windows_jobs"
  cmake --install "$out" > /dev/null
  touch "$out/.installed"
}

windows::cross_qt() {
  [ -f "$windows_complete" ] && return 0
  echo "Building Qt $windows_qt_version for Windows into $windows_prefix (once; 20 minutes on two idle cores, over an hour on busy ones)"
  windows::sqlite
  windows::source qt6-base "$windows_qt_version+dfsg-10" qtbase
  # Qt 6.4 compiles its DirectWrite font database only with Direct2D, which nothing here needs,
  # while its Windows platform plugin calls that database whenever DirectWrite 3 is there (as in
  # MinGW): without Direct2D the plugin keeps to the GDI font database.
  sed -i 's/^#if QT_CONFIG(directwrite3)$/#if QT_CONFIG(directwrite3) \&\& QT_CONFIG(direct2d)/' \
    "$windows_cache/sources/qtbase/src/plugins/platforms/windows/qwindowsintegration.cpp"
  # What the program and its tests use, no more: Widgets, Sql (SQLite, ODBC), Test; Windows'
  # own fonts and no OpenGL, D-Bus or network. Debian's source lacks the Wacom tablet header,
  # hence no tablet events.
  windows::qt_module qtbase \
    -DFEATURE_sql_sqlite=ON -DFEATURE_system_sqlite=ON -DFEATURE_sql_odbc=ON \
    -DFEATURE_sql_psql=OFF -DFEATURE_sql_mysql=OFF -DFEATURE_sql_ibase=OFF -DFEATURE_sql_oci=OFF \
    -DFEATURE_network=OFF -DFEATURE_dbus=OFF -DFEATURE_opengl=OFF -DINPUT_opengl=no \
    -DFEATURE_vulkan=OFF -DFEATURE_direct2d=OFF -DFEATURE_printsupport=OFF \
    -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF -DFEATURE_tabletevent=OFF \
    -DFEATURE_freetype=OFF -DFEATURE_fontconfig=OFF -DFEATURE_jpeg=OFF -DFEATURE_gif=OFF \
    -DFEATURE_system_zlib=OFF -DFEATURE_system_pcre2=OFF -DFEATURE_system_harfbuzz=OFF \
    -DFEATURE_system_png=OFF -DFEATURE_system_doubleconversion=OFF \
    -DSQLite3_INCLUDE_DIR="$windows_prefix/include" \
    -DSQLite3_LIBRARY="$windows_prefix/lib/libsqlite3.dll.a"
  # Without the SVG module the build draws the pictures into bitmaps instead.
  if windows::source qt6-svg "$windows_qt_version-2" qtsvg; then
    windows::qt_module qtsvg
  else
    echo "Debian's qt6-svg source could not be fetched: no Qt Svg; the pictures will be bitmaps" >&2
  fi
  touch "$windows_complete"
}
