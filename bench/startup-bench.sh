#!/usr/bin/env bash
# Times the main window's start-up on a real X server (Xvfb, from the Debian
# package xvfb). The offscreen platform is no stand-in: it shows an empty
# window without drawing it, so its figures say nothing about what a person
# waits for.
#
# First whole starts of the program to its mapped window, in turn with a bare
# Qt main window of the main window's shape (bench/app/bare_window.cpp), from
# a portable folder with the shipped reference files (goal: at most 1.15
# times the bare window); then, within one process, the window's creation
# and first showing against an empty Qt window of the same size, with the
# shipped reference files, without any, with a generated catalogue of 399
# records and a 20,000-line recipe file, and with a language file that
# replaces every text (bench/app/bench_startup.cpp).
#   bench/startup-bench.sh [runs]
set -euo pipefail
cd "$(dirname "$0")/.."
. bench/support/configure.sh
runs=${1:-40}
if ! command -v xvfb-run >/dev/null; then
  echo "xvfb-run is missing: apt-get install xvfb" >&2
  exit 1
fi
build=build-bench
for target in ludra bare_window startup_process bench_startup; do
  bench_build "$build" "$target"
done
folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
mkdir "$folder/ludra" "$folder/bare"
cp "$build/bin/ludra" "$build/bin/ludra-graphs.so" resources/data.csv resources/SecSkill.csv resources/require.csv \
  "$folder/ludra/"
cp "$build/bin/bare_window" "$folder/bare/"
xvfb-run -a -s "-screen 0 1280x800x24" env QT_QPA_PLATFORM=xcb \
  "$build/bin/startup_process" "$runs" "$folder/ludra/ludra" "$folder/bare/bare_window"
xvfb-run -a -s "-screen 0 1280x800x24" env QT_QPA_PLATFORM=xcb "$build/bin/bench_startup" "$runs"
