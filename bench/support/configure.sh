# Sourced by the benchmark scripts, from the checkout's top folder. Builds one
# target in a build tree of its own, configured once: by default a Release
# tree without the tests.
#   bench_build BUILD_DIR TARGET [BUILD_TYPE]
bench_build() {
  local build=$1 target=$2 type=${3:-Release}
  if [ ! -f "$build/build.ninja" ]; then
    cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE="$type" -DLUDRA_BUILD_TESTS=OFF >/dev/null
  fi
  cmake --build "$build" --parallel "$(nproc)" --target "$target" >/dev/null
}
