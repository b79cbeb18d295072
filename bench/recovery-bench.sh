#!/usr/bin/env bash
# Times the recovery copy (see bench/app/recovery_bench.cpp): writing the copy
# of the full shipped plan with its results, and 1,000 cell edits with the
# copy's timer following them and without, offscreen, on the shipped
# reference files. Prints medians. Goals: the copy under 5 ms; the edits no
# slower with the timer than without, beyond the noise.
#
# Usage: bench/recovery-bench.sh [BUILD_DIR] [ROUNDS]   (default build-bench, Release)
set -euo pipefail
cd "$(dirname "$0")/.."
. bench/support/configure.sh
build=${1:-build-bench}
rounds=${2:-101}
bench_build "$build" recovery_bench
QT_QPA_PLATFORM=offscreen "$build/bin/recovery_bench" resources "$rounds"
