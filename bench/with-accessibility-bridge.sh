#!/usr/bin/env bash
# Runs the benchmark (or the command given after --) with a real accessibility bridge: a
# virtual X display, a private D-Bus session, the AT-SPI bus and registry on it, and a client
# that registers for a screen reader's events. The benchmark then times each click with the
# bridge off and on. Arguments go to the benchmark.
#   bench/with-accessibility-bridge.sh --places 100000
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=${TARNWICK_BUILD_DIR:-$here/../build}

if [ "${1:-}" != "--inside" ]; then
  exec xvfb-run -a -s "-screen 0 1920x1200x24" dbus-run-session -- "$0" --inside "$@"
fi
shift

client_log=$(mktemp)
"$build/bench/tarnwick-bench-at-client" >"$client_log" 2>&1 &
client=$!
trap 'kill "$client" 2>/dev/null || true; rm -f "$client_log"' EXIT
for _ in $(seq 100); do
  grep -q listening "$client_log" && break
  kill -0 "$client" 2>/dev/null || { cat "$client_log" >&2; exit 2; }
  sleep 0.1
done
grep -q listening "$client_log" || { echo "the accessibility client did not start" >&2; exit 2; }

export QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
if [ "${1:-}" = "--" ]; then
  shift
  "$@"
else
  "$build/bench/tarnwick-bench" "$@"
fi
