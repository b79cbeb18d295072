#!/usr/bin/env bash
# Times the layout (view switches both ways, name translation, an
# allocation with every skill selected, each with the grid's refresh and
# repaint), and the stock status of every cell, on the shipped catalogue and on a
# generated one of 399 records; prints medians. Goal: a view switch on 399
# records under 2 ms.
#
# Usage: bench/layout-bench.sh [BUILD_DIR] [ROUNDS]   (default build-bench, Release)
set -euo pipefail
cd "$(dirname "$0")/.."
. bench/support/configure.sh
build=${1:-build-bench}
rounds=${2:-201}
bench_build "$build" layout_bench
# The grid paints on the offscreen platform: the same drawing, no display.
QT_QPA_PLATFORM=offscreen "$build/bin/layout_bench" resources/data.csv "$rounds"
