# Sourced by the fuzz run scripts: fuzz_build TARGET... installs clang and its
# runtime when missing (scripts/deps.sh fuzz), configures build-fuzz/ with
# clang, libFuzzer, and the address and undefined-behaviour sanitizers on the
# core library too, and builds the targets. It also sets the sanitizers to stop
# at the first fault.

fuzz_build() {
  bash scripts/deps.sh fuzz
  local sanitizers="-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer"
  local coverage="-fsanitize=fuzzer-no-link -fsanitize-coverage-ignorelist=$PWD/fuzz/coverage-ignore.txt"
  # Configured on every run, so that a changed flag reaches an existing
  # folder; CMake rebuilds only what the change touches.
  cmake -S . -B build-fuzz -G Ninja \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_COMPILER=clang++ \
    -DCMAKE_CXX_FLAGS="$sanitizers $coverage" \
    -DCMAKE_EXE_LINKER_FLAGS="$sanitizers" \
    -DLUDRA_BUILD_FUZZ=ON -DLUDRA_BUILD_TESTS=OFF -DLUDRA_BUILD_BENCH=OFF >/dev/null
  cmake --build build-fuzz --parallel "$(nproc)" --target "$@"
}

# No allocation stacks are kept while fuzzing: recording one for every
# allocation took a fifth of the run and grew the stack store without bound
# (a target passed 2 GB in ten minutes), since the stacks through Qt's code
# differ from call to call. run-all.sh replays a finding with them kept.
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:malloc_context_size=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
