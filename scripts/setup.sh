#!/usr/bin/env bash
# Installs what a fresh Debian 12 machine lacks to build, run and test Tarnwick.
set -euo pipefail

packages=(
  qt6-base-dev libqt6sql6-sqlite libqt6sql6-psql libqt6sql6-odbc qt6-webengine-dev libgl-dev
  libsqlite3-dev fonts-dejavu-core postgresql sqlite3 openssl
  # The program reads fontconfig's configuration ahead of its first text (Qt's own font library).
  libfontconfig-dev
  # A face of the forms' font widths, so captions fit their fixed places (Liberation Sans), and
  # one with the Arabic letters made for interfaces' heights (Noto Sans Arabic UI).
  fonts-liberation2 fonts-noto-ui-core
  # The translations: Qt Linguist's tools compile the catalogues at build time; Qt's own
  # catalogues translate its standard buttons and dialogs.
  qt6-tools-dev qt6-l10n-tools qt6-translations-l10n
  # The pictures are SVG (Qt's icon engine for them, and the icon drawn at build time).
  qt6-svg-dev
  # ODBC: the driver manager and its headers, and the PostgreSQL and SQLite drivers the tests
  # reach their databases through a third time.
  unixodbc unixodbc-dev odbc-postgresql libsqliteodbc
  # The desktop files' validators, a virtual display to start the installed program on, and
  # what CPack's Debian package reads the program's library dependencies with.
  desktop-file-utils appstream xvfb xauth x11-utils dpkg-dev file
  # Debian's check of the package CPack makes.
  lintian
  # The format check of every C++ file (scripts/check-sources.sh).
  clang-format
  # The benchmark's clicks with the accessibility bridge on: a private D-Bus session with the
  # AT-SPI bus and registry (bench/with-accessibility-bridge.sh).
  dbus at-spi2-core
  # The screen reader the announcements are tested with.
  orca
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
