#!/usr/bin/env bash
# Takes the screenshots in docs/screenshots: the main window on the sample directory and each of
# its windows, on a virtual X display at 100 % (1920 by 1080) and at 200 % (3840 by 2160), and
# the main window and "Find Place" in Arabic.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
build=${TARNWICK_BUILD_DIR:-build}
cmake --preset release -B "$build" >/dev/null
cmake --build "$build" --parallel "$(nproc)" --target tarnwick-screenshots
out=docs/screenshots
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
export HOME=$home XDG_RUNTIME_DIR=$home QTWEBENGINE_DISABLE_SANDBOX=1
unset QT_QPA_PLATFORM
QT_SCALE_FACTOR=1 xvfb-run -a -s "-screen 0 1920x1080x24" "$build/tools/screenshots/tarnwick-screenshots" "$out"
QT_SCALE_FACTOR=2 xvfb-run -a -s "-screen 0 3840x2160x24" "$build/tools/screenshots/tarnwick-screenshots" "$out"
# The Arabic interface, right to left: the main window and "Find Place".
QT_SCALE_FACTOR=1 xvfb-run -a -s "-screen 0 1920x1080x24" "$build/tools/screenshots/tarnwick-screenshots" "$out" ar
