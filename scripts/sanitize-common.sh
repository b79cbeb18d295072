# Sourced by the scripts that run Ludra under the address and
# undefined-behaviour sanitizers (test-sanitizers.sh, random-session.sh):
# sanitize_configure configures ./build-sanitize once (later builds are
# incremental), and the sanitizers' options are exported.

sanitize_configure() {
  local san_flags="-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer"
  if [ ! -f build-sanitize/build.ninja ]; then
    cmake -S . -B build-sanitize -G Ninja \
      -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DCMAKE_CXX_COMPILER=g++ \
      -DCMAKE_CXX_FLAGS="$san_flags" \
      -DCMAKE_EXE_LINKER_FLAGS="$san_flags" \
      -DCMAKE_SHARED_LINKER_FLAGS="$san_flags" \
      -DLUDRA_BUILD_TESTS=ON -DLUDRA_BUILD_BENCH=OFF -DLUDRA_BUILD_FUZZ=OFF
  fi
}

# abort_on_error in both: a report ends the process with SIGABRT, so a test that
# runs ludra or ludra-batch sees a crash, never an exit code it might expect.
# Leaks are checked at every exit, with no suppressions. Options already set in
# the environment are kept after ours, so they win.
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:halt_on_error=1:strict_string_checks=1:detect_stack_use_after_return=1:check_initialization_order=1${ASAN_OPTIONS:+:$ASAN_OPTIONS}"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1:abort_on_error=1${UBSAN_OPTIONS:+:$UBSAN_OPTIONS}"
