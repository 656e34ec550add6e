#!/usr/bin/env bash
# Sets up and builds Tarnwick, starts a throwaway PostgreSQL server on loopback, and runs every
# test: on SQLite, and the database tests again on that server. The server is stopped at the
# end, also when a test fails.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh
build=${TARNWICK_BUILD_DIR:-build}
source scripts/postgresql-server.sh
start_test_server "$build"
trap stop_test_server EXIT
export TARNWICK_TEST_POSTGRESQL
ctest --test-dir "$build" --output-on-failure --parallel "$(nproc)" "$@"
