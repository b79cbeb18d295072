#!/usr/bin/env bash
# Builds every fuzz target (clang, libFuzzer, address and undefined-behaviour
# sanitizers, in build-fuzz/) and runs each for SECONDS on its committed seeds
# (fuzz/seeds/NAME) and its own growing corpus (fuzz/corpus-NAME, git-ignored),
# as many at once as the machine has cores. Prints one line per target with
# its execution count, the seconds it ran, its rate and result, and fails when
# any target found something: a crash, a sanitizer report, a leak, a slow
# input (over 10 s) or memory beyond 2 GiB. The input that did it is kept as
# fuzz/findings/NAME-*, with the run's log and the log of the input replayed
# with the allocation stacks the run leaves out (fuzz/common.sh) beside it.
#
# With --runs, each target runs until it has tried RUNS inputs instead (the
# long runs, fuzz/run-long.sh); LUDRA_FUZZ_MAX_SECONDS, when set, still stops
# a target after that many seconds, and its line then shows how far it got.
#
# Usage: fuzz/run-all.sh SECONDS [TARGET...]      (TARGET as in the list below,
#        fuzz/run-all.sh --runs RUNS [TARGET...]   e.g. stockfile; default all)
set -euo pipefail
cd "$(dirname "$0")/.."

usage() {
  echo "usage: $0 SECONDS [TARGET...]" >&2
  echo "       $0 --runs RUNS [TARGET...]" >&2
  exit 2
}
runs=0
if [ "${1:-}" = --runs ]; then
  runs=${2:-}
  shift 2 || usage
  [[ $runs =~ ^[0-9]+$ ]] && [ "$runs" -ge 1 ] || usage
  seconds=${LUDRA_FUZZ_MAX_SECONDS:-0}
  [[ $seconds =~ ^[0-9]+$ ]] || usage
  limit=(-runs="$runs" -max_total_time="$seconds")
else
  [ $# -ge 1 ] && [[ $1 =~ ^[0-9]+$ ]] && [ "$1" -ge 1 ] || usage
  seconds=$1
  shift
  limit=(-max_total_time="$seconds")
fi

# Each target and the largest input it is given: a few times the largest
# valid file of its kind that is worth mutating; larger inputs only slow the
# run down without reaching new code.
declare -A max_len=(
  [vellstreams]=16384   # containers: a compressed project holds a few KiB
  [projectfile]=4096    # a project's streams: grids of dozens of cells
  [stockfile]=1024      # stock lists of a few clusters and slots
  [referencefiles]=8192 # a few dozen lines of each reference file
  [langfile]=8192       # a language file's sections and keys
  [popupmenu]=4096      # the default selections menu
  [symbiants]=8192      # a dozen lines of the symbiant file
  [plantext]=2048       # thirteen slots of three names, with a header
  [printsettings]=4096  # seven grids' sections of a dozen settings
  [gamerules]=8192      # a few dozen lines of each of the two files
  [options]=2048        # a dozen options and the recent projects
)
all=(vellstreams projectfile stockfile referencefiles langfile popupmenu symbiants
  plantext printsettings gamerules options)
targets=("${@:-${all[@]}}")
for t in "${targets[@]}"; do
  if [ -z "${max_len[$t]:-}" ]; then
    echo "$0: no fuzz target '$t' (targets: ${all[*]})" >&2
    exit 2
  fi
done

source fuzz/common.sh
fuzz_build "${targets[@]/#/fuzz_}" >/dev/null

logs=build-fuzz/logs
mkdir -p "$logs" fuzz/findings
run_one() {
  local t=$1 start=$SECONDS code=0
  mkdir -p "fuzz/corpus-$t"
  # New inputs go to the first folder only; the seeds are read, never written.
  "build-fuzz/bin/fuzz_$t" "${limit[@]}" -max_len="${max_len[$t]}" \
    -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
    -artifact_prefix="fuzz/findings/$t-" \
    "fuzz/corpus-$t" "fuzz/seeds/$t" >"$logs/$t.log" 2>&1 || code=$?
  echo $((SECONDS - start)) >"$logs/$t.seconds"
  return "$code"
}

# Runs the targets, as many at once as there are cores.
declare -A status=()
declare -A pid_of=()
running=0
for t in "${targets[@]}"; do
  if [ "$running" -ge "$(nproc)" ]; then
    wait -n || true
    running=$((running - 1))
  fi
  run_one "$t" &
  pid_of[$t]=$!
  running=$((running + 1))
done
for t in "${targets[@]}"; do
  if wait "${pid_of[$t]}"; then status[$t]=0; else status[$t]=$?; fi
done

failed=0
printf '%-20s %12s %8s %9s  %s\n' target executions seconds "per sec" result
for t in "${targets[@]}"; do
  log="$logs/$t.log"
  executed=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log" | tail -1)
  artifact=$(sed -n 's/.*Test unit written to \(.*\)$/\1/p' "$log" | tail -1)
  if [ "${status[$t]}" -eq 0 ] && [ -z "$artifact" ]; then
    result=clean
  else
    failed=1
    if [ -n "$artifact" ]; then
      cp "$log" "$artifact.log"
      # The input once more, with allocation stacks kept, for the report.
      ASAN_OPTIONS=detect_leaks=1:malloc_context_size=30 timeout 120 \
        "build-fuzz/bin/fuzz_$t" -timeout=10 -rss_limit_mb=2048 "$artifact" >"$artifact.replay.log" 2>&1 || true
      result="FOUND: $artifact (logs: $artifact.log, $artifact.replay.log)"
    else
      result="FAILED (exit ${status[$t]}; log: $log)"
    fi
  fi
  printf '%-20s %12s %8s %9s  %s\n' "fuzz_$t" "${executed:-?}" "$(cat "$logs/$t.seconds")" "${rate:-?}" "$result"
done
exit "$failed"
