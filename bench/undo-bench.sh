#!/usr/bin/env bash
# Times 1,000 cell edits in the main window and undoing them all (see
# bench/app/undo_bench.cpp), offscreen, on the shipped reference files.
# Prints medians. Goal: edits and undos together under 100 ms.
#
# Usage: bench/undo-bench.sh [BUILD_DIR] [ROUNDS]   (default build-bench, Release)
set -euo pipefail
cd "$(dirname "$0")/.."
. bench/support/configure.sh
build=${1:-build-bench}
rounds=${2:-11}
bench_build "$build" undo_bench
QT_QPA_PLATFORM=offscreen "$build/bin/undo_bench" resources "$rounds"
