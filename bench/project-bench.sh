#!/usr/bin/env bash
# Times saving and opening a full project file (WriteProjectFile and
# ReadProjectFile; a 399-row layout grid, full colour and marker lists, result
# grids of 39, 23 and 2,000 rows) and reloading a stock file of 10,000 items
# over 111 cluster entries (ReloadStock), on files in a temporary folder.
# Prints medians. Goals: each project step under 20 ms, the reload under 10 ms.
#
# Usage: bench/project-bench.sh [BUILD_DIR] [ROUNDS]   (default build-bench, Release)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-bench}
rounds=${2:-101}
if [ ! -f "$build/build.ninja" ]; then
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DLUDRA_BUILD_TESTS=OFF >/dev/null
fi
cmake --build "$build" --parallel 2 --target project_bench >/dev/null
"$build/bin/project_bench" "$rounds"
