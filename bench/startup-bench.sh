#!/usr/bin/env bash
# Times the main window's start-up (see bench/app/bench_startup.cpp), on the
# offscreen platform and, when xvfb-run is present, on a real X server.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh >/dev/null
runs=${1:-40}
echo "== offscreen"
QT_QPA_PLATFORM=offscreen build/bin/bench_startup "$runs"
if command -v xvfb-run >/dev/null; then
  echo "== X server (Xvfb)"
  xvfb-run -a -s "-screen 0 1280x800x24" env QT_QPA_PLATFORM=xcb build/bin/bench_startup "$runs"
fi
