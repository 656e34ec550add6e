#!/usr/bin/env bash
# Starts a Windows test program under Wine: CTest's way to run the Windows build's tests
# (scripts/windows/build.sh makes it the emulator). scripts/windows/test.sh runs two tests at a
# time, each on a desktop of its own, an X display and a Wine prefix (whose wineserver keeps
# that desktop's active window): on one shared desktop a window one test opens takes the
# activation from the other test's, whose keys and focus then reach no window. CTest names the
# desktop it lent the test (the tests' RESOURCE_GROUPS), and test.sh where each one is.
set -euo pipefail
if [ -n "${CTEST_RESOURCE_GROUP_0_DESKTOPS:-}" ]; then
  desktop=${CTEST_RESOURCE_GROUP_0_DESKTOPS#id:}
  desktop=${desktop%%,*}
  display=TARNWICK_DESKTOP_${desktop}_DISPLAY prefix=TARNWICK_DESKTOP_${desktop}_PREFIX
  export DISPLAY=${!display} WINEPREFIX=${!prefix}
fi
exec wine "$@"
