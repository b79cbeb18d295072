#!/usr/bin/env bash
# Fuzzes the reader of the default skill selections ("popup.mnu") and the menu
# it gives, for a bounded time: builds fuzz_popupmenu with clang, libFuzzer,
# and the address and undefined-behaviour sanitizers in build-fuzz/, and runs
# it on the committed seeds (fuzz/seeds/popupmenu).
# Usage: fuzz/run-popupmenu.sh [SECONDS] [extra libFuzzer options]   (default 120 s)
# Needs the Debian packages clang and libclang-rt-14-dev, which it installs
# with apt-get (through scripts/deps.sh fuzz) when they are missing.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-120}
shift || true

source fuzz/common.sh
fuzz_build fuzz_popupmenu

mkdir -p fuzz/corpus-popupmenu
# New inputs go to fuzz/corpus-popupmenu (git-ignored); the seeds are read only.
exec build-fuzz/bin/fuzz_popupmenu -max_total_time="$seconds" -max_len=4096 -rss_limit_mb=2048 \
  -print_final_stats=1 "$@" fuzz/corpus-popupmenu fuzz/seeds/popupmenu
