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
build=${1:-build-bench}
rounds=${2:-201}
if [ ! -f "$build/build.ninja" ]; then
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DLUDRA_BUILD_TESTS=OFF >/dev/null
fi
cmake --build "$build" --parallel 2 --target layout_bench >/dev/null
# The grid paints on the offscreen platform: the same drawing, no display.
QT_QPA_PLATFORM=offscreen "$build/bin/layout_bench" resources/data.csv "$rounds"
