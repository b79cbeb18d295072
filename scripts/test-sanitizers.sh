#!/usr/bin/env bash
# Builds Ludra and its tests with the address and undefined-behaviour
# sanitizers in ./build-sanitize (configured once, incremental later) and runs
# the whole suite there. Any sanitizer report (a memory error, a leak at exit,
# undefined behaviour) aborts the process, which fails the test it comes from.
# Programs the tests start (ludra, ludra-batch) are built the same way and
# inherit the options through the environment.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh test

. scripts/sanitize-common.sh
sanitize_configure
cmake --build build-sanitize --parallel "$(nproc)"

ctest --test-dir build-sanitize --output-on-failure --timeout 900 -j "$(nproc)"
