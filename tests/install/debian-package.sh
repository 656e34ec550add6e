#!/usr/bin/env bash
# Makes the Debian package of the build with CPack and reads it back: the program, its launcher
# entry, description, icons and scripts are in it, and it depends on what the program loads
# (the Qt libraries it links, and the plugins it needs at run time); and lintian, Debian's own
# check of a package, finds nothing to warn about.
#
#   debian-package.sh BUILD-FOLDER [sanitized]
set -euo pipefail
build=$(cd "$1" && pwd)
out=$build/package
rm -rf "$out"
cpack -G DEB -B "$out" --config "$build/CPackConfig.cmake" >/dev/null
package=$(ls "$out"/tarnwick_*.deb)

contents=$(dpkg-deb --contents "$package" | awk '{print $6}')
for file in ./usr/bin/tarnwick ./usr/bin/tarnwick-transfer ./usr/share/man/man1/tarnwick-transfer.1.gz \
  ./usr/share/applications/org.tarnwick.Tarnwick.desktop \
  ./usr/share/metainfo/org.tarnwick.Tarnwick.metainfo.xml \
  ./usr/share/icons/hicolor/scalable/apps/org.tarnwick.Tarnwick.svg \
  ./usr/share/icons/hicolor/256x256/apps/org.tarnwick.Tarnwick.png \
  ./usr/share/tarnwick/schema/postgresql.sql ./usr/share/tarnwick/schema/oracle.sql \
  ./usr/share/man/man1/tarnwick.1.gz ./usr/share/doc/tarnwick/copyright ./usr/share/doc/tarnwick/changelog.gz; do
  grep -qx "$file" <<<"$contents" || { echo "not in the package: $file"; exit 1; }
done

depends=$(dpkg-deb --field "$package" Depends)
for needed in libqt6widgets6 libqt6sql6 libqt6webenginewidgets6 libqt6sql6-sqlite libqt6svg6 libsqlite3-0; do
  grep -qE "(^|, )$needed( |,|$)" <<<"$depends" || { echo "the package does not depend on $needed: $depends"; exit 1; }
done
# Informational tags are advice; warnings and errors fail. A sanitizer build's package is never
# shipped, and its libraries link the sanitizers' runtime rather than libc: lintian is left out.
if [ "${2:-}" != sanitized ]; then
  lintian --fail-on error,warning "$package"
fi
echo "$(basename "$package"): $(wc -l <<<"$contents") entries; Depends: $depends"
