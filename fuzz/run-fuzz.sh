#!/usr/bin/env bash
# Fuzzes the container's loader (TVellStreams::LoadFromStream) for a bounded
# time: builds fuzz_vellstreams with clang, libFuzzer, and the address and
# undefined-behaviour sanitizers on the core library too, in build-fuzz/,
# writes a seed corpus of valid containers, and runs.
# Usage: fuzz/run-fuzz.sh [SECONDS] [extra libFuzzer options]   (default 300 s)
# Needs the Debian packages clang and libclang-rt-14-dev, which it installs with
# apt-get (through scripts/deps.sh fuzz) when they are missing.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-300}
shift || true

source fuzz/common.sh
fuzz_build fuzz_vellstreams fuzz_seeds

mkdir -p build-fuzz/seeds fuzz/corpus-work
build-fuzz/bin/fuzz_seeds build-fuzz/seeds

# New inputs go to fuzz/corpus-work (git-ignored); the seeds are read only.
exec build-fuzz/bin/fuzz_vellstreams -max_total_time="$seconds" -rss_limit_mb=2048 \
  -print_final_stats=1 "$@" fuzz/corpus-work build-fuzz/seeds
