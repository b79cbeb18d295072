#!/usr/bin/env bash
# Times the CSV, HTML and RTF exports of a 10,000-row, 7-column table (see
# bench/reports/export_bench.cpp). Prints medians. Goal: each under 200 ms.
#
# Usage: bench/export-bench.sh [BUILD_DIR] [ROUNDS]   (default build-bench, Release)
set -euo pipefail
cd "$(dirname "$0")/.."
. bench/support/configure.sh
build=${1:-build-bench}
rounds=${2:-21}
bench_build "$build" export_bench
"$build/bin/export_bench" "$rounds"
