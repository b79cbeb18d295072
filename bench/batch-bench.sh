#!/usr/bin/env bash
# Times ludra-batch as a whole process: a plan of ten skills at quality level
# 200 against the shipped reference files in build/bin, output to /dev/null.
# Prints the median wall time of the runs (goal: under 50 ms).
#   bench/batch-bench.sh [runs]
set -euo pipefail
cd "$(dirname "$0")/.."
. bench/support/configure.sh
bench_build build ludra-batch RelWithDebInfo
runs=${1:-41}
command=(build/bin/ludra-batch plan
  --skill "MG & SMG" --skill Burst --skill "Computer Literacy" --skill Agility
  --skill "Max Health" --skill "Nano Pool" --skill Perception --skill Pistol
  --skill "Assault Rifle" --skill "Full Auto" --ql 200 --format csv)
"${command[@]}" >/dev/null   # the first run writes skillreq.dat
times=()
for ((i = 0; i < runs; i++)); do
  start=$(date +%s%N)
  "${command[@]}" >/dev/null
  end=$(date +%s%N)
  times+=($(( (end - start) / 1000 )))
done
median=$(printf '%s\n' "${times[@]}" | sort -n | sed -n "$(( (runs + 1) / 2 ))p")
printf 'ludra-batch plan, 10 skills, QL 200: median %d.%03d ms of %d runs\n' \
  $((median / 1000)) $((median % 1000)) "$runs"
