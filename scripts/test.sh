#!/usr/bin/env bash
# Installs what is missing, builds Ludra with its tests and runs the whole suite.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh test
bash scripts/build.sh
ctest --test-dir build --output-on-failure --timeout 900 -j "$(nproc)"
