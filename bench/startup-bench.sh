#!/usr/bin/env bash
# Times the main window's start-up (see bench/app/bench_startup.cpp) on a real
# X server (Xvfb, from the Debian package xvfb). The offscreen platform is no
# stand-in: it shows an empty window without drawing it, so its figures say
# nothing about what a person waits for.
#   bench/startup-bench.sh [runs]
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh >/dev/null
runs=${1:-40}
if ! command -v xvfb-run >/dev/null; then
  echo "xvfb-run is missing: apt-get install xvfb" >&2
  exit 1
fi
xvfb-run -a -s "-screen 0 1280x800x24" env QT_QPA_PLATFORM=xcb build/bin/bench_startup "$runs"
