#!/usr/bin/env bash
# Fuzzes the reference files (catalogue, recipes, requirements, skill increase
# table) and the options file as the program loads them, for a bounded time:
# builds fuzz_referencefiles with clang, libFuzzer, and the address and
# undefined-behaviour sanitizers in build-fuzz/, and runs it on the committed
# seeds (fuzz/seeds/referencefiles).
# Usage: fuzz/run-referencefiles.sh [SECONDS] [extra libFuzzer options]   (default 120 s)
# Needs the Debian packages clang and libclang-rt-14-dev, which it installs
# with apt-get (through scripts/deps.sh fuzz) when they are missing.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-120}
shift || true

source fuzz/common.sh
fuzz_build fuzz_referencefiles

mkdir -p fuzz/corpus-referencefiles
# New inputs go to fuzz/corpus-referencefiles (git-ignored); the seeds are read only.
exec build-fuzz/bin/fuzz_referencefiles -max_total_time="$seconds" -max_len=4096 -rss_limit_mb=2048 \
  -print_final_stats=1 "$@" fuzz/corpus-referencefiles fuzz/seeds/referencefiles
