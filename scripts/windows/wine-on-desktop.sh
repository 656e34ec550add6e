#!/usr/bin/env bash
# Starts a Windows test program under Wine: CTest's way to run the Windows build's tests
# (scripts/windows/build.sh makes it the emulator). scripts/windows/test.sh runs two tests at a
# time, each on a desktop of its own, an X display and a Wine prefix (whose wineserver keeps
# that desktop's active window): on one shared desktop a window one test opens takes the
# activation from the other test's, whose keys and focus then reach no window. A test takes the
# first desktop whose lock it gets; test.sh says how many there are and where each one is.
set -euo pipefail
if [ -n "${TARNWICK_DESKTOPS:-}" ]; then
  # CTest runs no more tests at once than there are desktops: one is free, or soon will be.
  while :; do
    for desktop in $(seq "$TARNWICK_DESKTOPS"); do
      exec {lock}> "$TARNWICK_DESKTOP_LOCKS/$desktop"
      if flock -n "$lock"; then
        display=TARNWICK_DESKTOP_${desktop}_DISPLAY prefix=TARNWICK_DESKTOP_${desktop}_PREFIX
        # The lock stays this script's: Wine's server, which outlives the test, must not hold it.
        DISPLAY=${!display} WINEPREFIX=${!prefix} wine "$@" {lock}>&-
        exit
      fi
      exec {lock}>&-
    done
    sleep 0.1
  done
fi
exec wine "$@"
