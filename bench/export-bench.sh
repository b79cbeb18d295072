#!/usr/bin/env bash
# Times the CSV, HTML and RTF exports of a 10,000-row, 7-column table (see
# bench/reports/export_bench.cpp). Prints medians. Goal: each under 200 ms.
#
# Usage: bench/export-bench.sh [BUILD_DIR] [ROUNDS]   (default build-bench, Release)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-bench}
rounds=${2:-21}
if [ ! -f "$build/build.ninja" ]; then
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DLUDRA_BUILD_TESTS=OFF >/dev/null
fi
cmake --build "$build" --parallel 2 --target export_bench >/dev/null
"$build/bin/export_bench" "$rounds"
