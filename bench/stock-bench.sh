#!/usr/bin/env bash
# Times opening the stock control window (see bench/stock/stock_bench.cpp) on
# the shipped data.csv with a stock file of 10,000 items. Prints the median.
# Goal: under 50 ms.
#
# Usage: bench/stock-bench.sh [BUILD_DIR] [ROUNDS]   (default build-bench, Release)
set -euo pipefail
cd "$(dirname "$0")/.."
. bench/support/configure.sh
build=${1:-build-bench}
rounds=${2:-51}
bench_build "$build" stock_bench
# The window paints on the offscreen platform: the same drawing, no display.
QT_QPA_PLATFORM=offscreen "$build/bin/stock_bench" resources "$rounds"
