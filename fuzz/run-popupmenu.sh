#!/usr/bin/env bash
# Fuzzes the reader of the default skill selections ("popup.mnu") and the menu
# it gives, for a bounded time: builds fuzz_popupmenu with clang, libFuzzer,
# and the address and undefined-behaviour sanitizers in build-fuzz/, and runs
# it on the committed seeds (fuzz/seeds/popupmenu).
# Usage: fuzz/run-popupmenu.sh [SECONDS] [extra libFuzzer options]   (default 120 s)
# Needs the Debian packages clang and libclang-rt-14-dev.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-120}
shift || true

sanitizers="-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer"
if [ ! -f build-fuzz/build.ninja ]; then
  cmake -S . -B build-fuzz -G Ninja \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_COMPILER=clang++ \
    -DCMAKE_CXX_FLAGS="$sanitizers -fsanitize=fuzzer-no-link" \
    -DCMAKE_EXE_LINKER_FLAGS="$sanitizers" \
    -DLUDRA_BUILD_FUZZ=ON -DLUDRA_BUILD_TESTS=OFF -DLUDRA_BUILD_BENCH=OFF
fi
cmake --build build-fuzz --target fuzz_popupmenu

mkdir -p fuzz/corpus-popupmenu
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
# New inputs go to fuzz/corpus-popupmenu (git-ignored); the seeds are read only.
exec build-fuzz/bin/fuzz_popupmenu -max_total_time="$seconds" -max_len=4096 -rss_limit_mb=2048 \
  -print_final_stats=1 "$@" fuzz/corpus-popupmenu fuzz/seeds/popupmenu
