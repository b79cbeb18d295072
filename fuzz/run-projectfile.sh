#!/usr/bin/env bash
# Fuzzes the reading of a project file's streams (its lists and the text form
# of its four grids) and the write and read back of what was read, for a
# bounded time: builds fuzz_projectfile with clang, libFuzzer, and the
# address and undefined-behaviour sanitizers in build-fuzz/, and runs it on
# the committed seeds (fuzz/seeds/projectfile).
# Usage: fuzz/run-projectfile.sh [SECONDS] [extra libFuzzer options]   (default 120 s)
# Needs the Debian packages clang and libclang-rt-14-dev, which it installs
# with apt-get (through scripts/deps.sh fuzz) when they are missing.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-120}
shift || true

source fuzz/common.sh
fuzz_build fuzz_projectfile

mkdir -p fuzz/corpus-projectfile
# New inputs go to fuzz/corpus-projectfile (git-ignored); the seeds are read
# only. 8 KiB holds a few grids of dozens of cells and lists beside them.
exec build-fuzz/bin/fuzz_projectfile -max_total_time="$seconds" -max_len=8192 -rss_limit_mb=2048 \
  -print_final_stats=1 "$@" fuzz/corpus-projectfile fuzz/seeds/projectfile
