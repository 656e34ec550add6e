#!/usr/bin/env bash
# Sets up, builds and starts Tarnwick on its embedded development database: CM.ini beside
# the program selects development, which comes with a sample directory.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh
touch build/bin/CM.ini
exec build/bin/tarnwick
