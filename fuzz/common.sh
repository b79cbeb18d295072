# Sourced by the fuzz run scripts: fuzz_build TARGET... installs clang and its
# runtime when missing (scripts/deps.sh fuzz), configures build-fuzz/ once with
# clang, libFuzzer, and the address and undefined-behaviour sanitizers on the
# core library too, and builds the targets. It also sets the sanitizers to stop
# at the first fault.

fuzz_build() {
  bash scripts/deps.sh fuzz
  local sanitizers="-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer"
  if [ ! -f build-fuzz/build.ninja ]; then
    cmake -S . -B build-fuzz -G Ninja \
      -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DCMAKE_CXX_COMPILER=clang++ \
      -DCMAKE_CXX_FLAGS="$sanitizers -fsanitize=fuzzer-no-link" \
      -DCMAKE_EXE_LINKER_FLAGS="$sanitizers" \
      -DLUDRA_BUILD_FUZZ=ON -DLUDRA_BUILD_TESTS=OFF -DLUDRA_BUILD_BENCH=OFF
  fi
  cmake --build build-fuzz --parallel "$(nproc)" --target "$@"
}

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
