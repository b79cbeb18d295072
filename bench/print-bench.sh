#!/usr/bin/env bash
# Times printing to PDF with the report settings (see
# bench/reports/print_bench.cpp): the requirements of a full build (40 rows)
# and a table of 10,000 rows. Prints medians. Goal: the requirements well
# under 200 ms.
#
# Usage: bench/print-bench.sh [BUILD_DIR] [ROUNDS]   (default build-bench, Release)
set -euo pipefail
cd "$(dirname "$0")/.."
. bench/support/configure.sh
build=${1:-build-bench}
rounds=${2:-51}
bench_build "$build" print_bench
# Fonts and pages need no display: the offscreen platform does.
QT_QPA_PLATFORM=offscreen "$build/bin/print_bench" "$rounds"
