#!/usr/bin/env bash
# Installs the build into a staging folder, as `cmake --install` puts it on a user's machine,
# checks that every file lands in its usual place, and starts the staged program on a virtual X
# display with a data folder of its own. It has come up when its main window, "Tarnwick", is on
# the display and its database has been made from the scripts it carries.
#
#   staged-program.sh BUILD-FOLDER
set -euo pipefail
build=$(cd "$1" && pwd)
stage=$build/staging
rm -rf "$stage"
cmake --install "$build" --prefix "$stage" >/dev/null

missing=0
for file in \
  bin/tarnwick bin/tarnwick-transfer share/man/man1/tarnwick-transfer.1.gz \
  share/applications/org.tarnwick.Tarnwick.desktop \
  share/metainfo/org.tarnwick.Tarnwick.metainfo.xml \
  share/icons/hicolor/scalable/apps/org.tarnwick.Tarnwick.svg \
  share/icons/hicolor/256x256/apps/org.tarnwick.Tarnwick.png \
  share/tarnwick/schema/postgresql.sql share/tarnwick/schema/oracle.sql \
  share/tarnwick/schema/postgresql-role.sql share/tarnwick/schema/oracle-role.sql \
  share/tarnwick/schema/root.sql share/tarnwick/schema/cities.sql share/tarnwick/schema/sample.sql \
  share/doc/tarnwick/README.md share/doc/tarnwick/LICENSE.pictures \
  share/doc/tarnwick/copyright share/doc/tarnwick/changelog.gz share/man/man1/tarnwick.1.gz; do
  [ -e "$stage/$file" ] || { echo "not installed: $file"; missing=1; }
done
# The web window's program, which the program starts from its library folder.
[ -n "$(find "$stage" -path '*/tarnwick/tarnwick-web' -type f -perm -u+x)" ] || { echo "not installed: the web window's program"; missing=1; }
[ $missing -eq 0 ] || exit 1
# Nothing of the build's own (tests, benchmark, helpers) is installed.
extra=$(find "$stage/bin" -type f ! -name tarnwick ! -name tarnwick-transfer)
[ -z "$extra" ] || { echo "installed but not part of the program: $extra"; exit 1; }
# The launcher entry, the description and the icons agree with each other.
appstreamcli validate-tree --no-net "$stage"

home=$(mktemp -d "$build/staged-home.XXXXXX")
trap 'rm -rf "$home"' EXIT
export HOME=$home XDG_DATA_HOME=$home/data XDG_CONFIG_HOME=$home/config XDG_RUNTIME_DIR=$home/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"
unset QT_QPA_PLATFORM
exec bash "$(dirname "$0")/../support/with-x-server.sh" 1920x1080x24 bash -c '
  "$1" & program=$!
  database=$XDG_DATA_HOME/Tarnwick/tarnwick.sqlite
  up() {
    xwininfo -root -tree 2>/dev/null | grep -q "\"Tarnwick\"" &&
      [ "$(sqlite3 "file:$database?mode=ro" "select count(*) from places_root" 2>/dev/null)" = 1 ]
  }
  for attempt in $(seq 600); do
    up && break
    kill -0 $program 2>/dev/null || { echo "the staged program ended before its window showed"; exit 1; }
    sleep 0.1
  done
  up || { echo "the staged program did not come up within a minute"; kill $program; exit 1; }
  kill $program
  wait $program 2>/dev/null || true
  echo "the staged program came up: its window \"Tarnwick\" and its database at $database"
' staged "$stage/bin/tarnwick"
