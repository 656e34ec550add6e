#!/usr/bin/env bash
# Runs a test program with Orca, the screen reader, listening: speech off, its debug log (where
# it writes what it would say, "SPEECH OUTPUT: '...'") in the file TARNWICK_ORCA_LOG names. Run
# it on an X server and a D-Bus session of the test's own (with-x-server.sh, dbus-run-session): Orca
# takes over the session's screen reader. Exits 77, skipped, where Orca is not installed.
#   with-orca.sh PROGRAM [ARGUMENTS...]
set -uo pipefail
if ! command -v orca > /dev/null; then
  echo "SKIP: Orca is not installed (Debian's orca package; scripts/setup.sh installs it)"
  exit 77
fi
work=$(mktemp -d)
mkdir "$work/preferences"
export TARNWICK_ORCA_LOG=$work/orca.log
# Orca wants a terminal: script gives it one, and keeps what Orca writes there in the log. Its
# debug output goes to that terminal, not to a file: Python writes a file in blocks, a terminal
# line by line, so each line is there as soon as Orca has said it.
script -q -f -c "orca --replace -d speech -u '$work/preferences' --debug-file /dev/stdout" "$TARNWICK_ORCA_LOG" \
  > /dev/null 2>&1 &
orca=$!
stop() {
  kill $(pgrep -P "$orca") "$orca" 2> /dev/null
  wait "$orca" 2> /dev/null
  rm -rf "$work"
}
trap stop EXIT
for _ in $(seq 600); do
  grep -q 'ORCA: Startup complete' "$TARNWICK_ORCA_LOG" 2> /dev/null && break
  kill -0 "$orca" 2> /dev/null || break
  sleep 0.1
done
if ! grep -q 'ORCA: Startup complete' "$TARNWICK_ORCA_LOG" 2> /dev/null; then
  echo "Orca did not start:" >&2
  cat "$TARNWICK_ORCA_LOG" >&2
  exit 1
fi
"$@"
