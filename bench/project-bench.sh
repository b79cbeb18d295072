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
. bench/support/configure.sh
build=${1:-build-bench}
rounds=${2:-101}
bench_build "$build" project_bench
"$build/bin/project_bench" "$rounds"
