#!/usr/bin/env bash
# Fuzzes the stock file's reading and the stock rules a build applies to what
# it read, for a bounded time: builds fuzz_stockfile with clang, libFuzzer,
# and the address and undefined-behaviour sanitizers in build-fuzz/, and runs
# it on the committed seeds (fuzz/seeds/stockfile).
# Usage: fuzz/run-stockfile.sh [SECONDS] [extra libFuzzer options]   (default 120 s)
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-120}
shift || true

source fuzz/common.sh
fuzz_build fuzz_stockfile

mkdir -p fuzz/corpus-stockfile
# New inputs go to fuzz/corpus-stockfile (git-ignored); the seeds are read only.
exec build-fuzz/bin/fuzz_stockfile -max_total_time="$seconds" -max_len=4096 -rss_limit_mb=2048 \
  -print_final_stats=1 "$@" fuzz/corpus-stockfile fuzz/seeds/stockfile
