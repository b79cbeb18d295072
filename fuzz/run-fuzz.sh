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
bash scripts/deps.sh fuzz
seconds=${1:-300}
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
cmake --build build-fuzz --parallel "$(nproc)" --target fuzz_vellstreams fuzz_seeds

mkdir -p build-fuzz/seeds fuzz/corpus-work
build-fuzz/bin/fuzz_seeds build-fuzz/seeds

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
# New inputs go to fuzz/corpus-work (git-ignored); the seeds are read only.
exec build-fuzz/bin/fuzz_vellstreams -max_total_time="$seconds" -rss_limit_mb=2048 \
  -print_final_stats=1 "$@" fuzz/corpus-work build-fuzz/seeds
