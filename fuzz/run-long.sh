#!/usr/bin/env bash
# The long fuzz runs: every target (or those named) until it has tried RUNS
# inputs (default 10,000,000), from its committed seeds and its grown corpus
# (fuzz/corpus-NAME), as many at once as the machine has cores, at the lowest
# priority (nice 19) so that builds beside them keep the processors. Prints
# the table of fuzz/run-all.sh: each target's executions, the seconds it ran,
# its rate and result, and fails on any finding, kept in fuzz/findings/.
# LUDRA_FUZZ_MAX_SECONDS=S stops each target after S seconds at the latest.
#
# Usage: fuzz/run-long.sh [RUNS [TARGET...]]
set -euo pipefail
cd "$(dirname "$0")/.."

runs=${1:-10000000}
[ $# -gt 0 ] && shift
exec nice -n 19 bash fuzz/run-all.sh --runs "$runs" "$@"
