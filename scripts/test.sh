#!/usr/bin/env bash
# Installs what is missing, builds Ludra with its tests and runs the whole
# suite (build/); then the whole suite once more under the address and
# undefined-behaviour sanitizers (build-sanitize/, scripts/test-sanitizers.sh),
# and every fuzz target for a short while (build-fuzz/, fuzz/run-all.sh).
# A failed test, a sanitizer report or a fuzz finding fails it. Every build is
# incremental. With --quick, only the first: the plain suite.
set -euo pipefail
cd "$(dirname "$0")/.."

quick=0
case "${1:-}" in
  --quick) quick=1 ;;
  "") ;;
  *) echo "usage: $0 [--quick]" >&2; exit 2 ;;
esac

stage() {
  local start=$SECONDS
  echo "== $1"
  shift
  "$@"
  echo "== done in $((SECONDS - start)) s"
}

plain_suite() {
  bash scripts/build.sh
  ctest --test-dir build --output-on-failure --timeout 900 -j "$(nproc)"
}

bash scripts/deps.sh test
stage "Build and test" plain_suite
[ "$quick" -eq 1 ] && exit 0
stage "Build and test under the address and undefined-behaviour sanitizers" bash scripts/test-sanitizers.sh
stage "Fuzz every reader for ${LUDRA_FUZZ_SECONDS:-20} s each" bash fuzz/run-all.sh "${LUDRA_FUZZ_SECONDS:-20}"
