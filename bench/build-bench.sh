#!/usr/bin/env bash
# Times a full build (see bench/build/build_bench.cpp) on the shipped
# reference files: the computation alone, the ladder of the plan, the series
# of both graphs, the symbiant finder for all thirteen slots, the whole
# "&Build >>" click with its view switches and repaints, and the Graphs
# window opened, shown again and redrawn after an edit. Prints medians.
# Goals: the computation under 1 ms, the ladder under 5 ms, the series under
# 20 ms, the symbiant finder under 50 ms, the click under 50 ms, the Graphs
# window opened under 150 ms.
#
# Usage: bench/build-bench.sh [BUILD_DIR] [ROUNDS]   (default build-bench, Release)
set -euo pipefail
cd "$(dirname "$0")/.."
. bench/support/configure.sh
build=${1:-build-bench}
rounds=${2:-201}
bench_build "$build" build_bench
# The window paints on the offscreen platform: the same drawing, no display.
QT_QPA_PLATFORM=offscreen "$build/bin/build_bench" resources "$rounds"
