#!/usr/bin/env bash
# Configures and builds Tarnwick under build/ (or $TARNWICK_BUILD_DIR) with a preset of
# CMakePresets.json: release, or $TARNWICK_PRESET (ci adds warnings as errors). Further
# arguments go to the configure step, e.g. -DTARNWICK_PRODUCTION_DATABASE=...
set -euo pipefail
cd "$(dirname "$0")/.."
build=${TARNWICK_BUILD_DIR:-build}
cmake --preset "${TARNWICK_PRESET:-release}" -B "$build" "$@"
cmake --build "$build" --parallel "$(nproc)"
