#!/usr/bin/env bash
# Configures and builds Tarnwick in Release under build/ (or $TARNWICK_BUILD_DIR).
set -euo pipefail
cd "$(dirname "$0")/.."
build=${TARNWICK_BUILD_DIR:-build}
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release "$@"
cmake --build "$build" --parallel "$(nproc)"
