#!/usr/bin/env bash
# Fuzzes the reader of the language file ("english.ini") and the look-ups the
# windows and messages make in it, for a bounded time: builds fuzz_langfile
# with clang, libFuzzer, and the address and undefined-behaviour sanitizers
# in build-fuzz/, and runs it on the committed seeds (fuzz/seeds/langfile).
# Usage: fuzz/run-langfile.sh [SECONDS] [extra libFuzzer options]   (default 120 s)
# Needs the Debian packages clang and libclang-rt-14-dev, which it installs
# with apt-get (through scripts/deps.sh fuzz) when they are missing.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-120}
shift || true

source fuzz/common.sh
fuzz_build fuzz_langfile

mkdir -p fuzz/corpus-langfile
# New inputs go to fuzz/corpus-langfile (git-ignored); the seeds are read only.
exec build-fuzz/bin/fuzz_langfile -max_total_time="$seconds" -max_len=16384 -rss_limit_mb=2048 \
  -print_final_stats=1 "$@" fuzz/corpus-langfile fuzz/seeds/langfile
