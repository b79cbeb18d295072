#!/usr/bin/env bash
# Installs what is missing, builds Ludra and starts it with the shipped
# reference files, which the build places beside the executable.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh run
bash scripts/build.sh
exec build/bin/ludra "$@"
