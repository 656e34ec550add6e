#!/usr/bin/env bash
# Runs a command on an X server of its own (Xvfb), stopped and waited for when the command ends.
# Not xvfb-run -a: it picks a display number by looking for lock files without holding one, and
# leaves its server to end on its own, so a test started just after another could be given the
# display that other test's server was still tearing down, and find no server there. Xvfb picks
# a free number itself here (-displayfd) and says it once it takes connections.
#   with-x-server.sh WIDTHxHEIGHTxDEPTH COMMAND [ARGUMENTS...]
set -uo pipefail
screen=$1
shift
number=$(mktemp)
Xvfb -displayfd 3 -screen 0 "$screen" -nolisten tcp 3> "$number" 2> /dev/null &
server=$!
stop() {
  kill "$server" 2> /dev/null
  wait "$server" 2> /dev/null
  rm -f "$number"
}
trap stop EXIT
for _ in $(seq 300); do
  [ -s "$number" ] && break
  kill -0 "$server" 2> /dev/null || break
  sleep 0.1
done
[ -s "$number" ] || {
  echo "Xvfb did not start" >&2
  exit 1
}
DISPLAY=:$(tr -d '\n' < "$number")
export DISPLAY
unset XAUTHORITY WAYLAND_DISPLAY
"$@"
