#!/usr/bin/env bash
# Installs what is missing, builds the two programs Ludra is made of (the
# window and ludra-batch, not the tests) and starts the window with the
# shipped reference files, which the build places beside the executable.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh run
if [ ! -x build/bin/ludra ]; then
  echo "Building Ludra in build/: the first build takes a few minutes; later ones only what changed."
else
  echo "Bringing the build in build/ up to date."
fi
bash scripts/build.sh ludra ludra-batch
exec build/bin/ludra "$@"
