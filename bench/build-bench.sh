#!/usr/bin/env bash
# Times a full build (see bench/build/build_bench.cpp) on the shipped
# reference files: the computation alone, and the whole "&Build >>" click
# with its view switches and repaints. Prints medians. Goals: the computation
# under 1 ms, the click under 50 ms.
#
# Usage: bench/build-bench.sh [BUILD_DIR] [ROUNDS]   (default build-bench, Release)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-bench}
rounds=${2:-201}
if [ ! -f "$build/build.ninja" ]; then
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DLUDRA_BUILD_TESTS=OFF >/dev/null
fi
cmake --build "$build" --parallel 2 --target build_bench >/dev/null
# The window paints on the offscreen platform: the same drawing, no display.
QT_QPA_PLATFORM=offscreen "$build/bin/build_bench" resources "$rounds"
