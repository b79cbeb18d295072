#!/usr/bin/env bash
# Time to load a compressed container of many empty streams whose names are
# stored in ascending, descending and random order. Ludra writes them
# ascending, but a file may hold them in any order, and a load must cost the
# same whichever it is. Prints, per order, the median, least and most time of
# ROUNDS loads, measured in-process (storage_bench load-order).
#
# Usage: bench/container-load-bench.sh [BUILD_DIR] [STREAMS] [ROUNDS]
#        (defaults: build-bench, a Release build; 100000 streams; 21 rounds)
set -euo pipefail
cd "$(dirname "$0")/.."
. bench/support/configure.sh
build=${1:-build-bench}
streams=${2:-100000}
rounds=${3:-21}

bench_build "$build" storage_bench
"$build/bin/storage_bench" load-order "$streams" "$rounds"
