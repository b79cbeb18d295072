#!/usr/bin/env bash
# Configures (once) and builds Ludra in ./build. Incremental on later runs.
# Usage: scripts/build.sh [TARGET...]   (no target: everything, the tests and
# benchmarks included)
set -euo pipefail
cd "$(dirname "$0")/.."
if [ ! -f build/build.ninja ]; then
  cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
fi
if [ $# -gt 0 ]; then
  cmake --build build --parallel "$(nproc)" --target "$@"
else
  cmake --build build --parallel "$(nproc)"
fi
