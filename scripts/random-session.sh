#!/usr/bin/env bash
# Long random sessions on the main window under the address and
# undefined-behaviour sanitizers: builds tst_randomsession in ./build-sanitize
# (configured as scripts/test-sanitizers.sh configures it, on the first run),
# then runs it over successive seeds until a count of operations or a time is
# used up. Each run is one seeded session of the player's operations with the
# window's invariants checked after every step (see
# tests/app/tst_randomsession.cpp).
#
#   scripts/random-session.sh --seconds 600          # sessions for ten minutes
#   scripts/random-session.sh --ops 5000 --seed 42   # 5000 operations from seed 42
#
# Options:
#   --ops N        stop once N operations have run in all (default 2000)
#   --seconds S    stop starting sessions after S seconds (instead of --ops)
#   --seed N       the first seed (default: the current time); later sessions
#                  take N+1, N+2, ...
#   --per-run N    operations in each session (default 1000)
#   --no-build     run the test as built
#
# A failure (a broken invariant, a crash, a sanitizer report) stops the run:
# the script prints the seed, the log kept in random-session-logs/ and the
# command that replays it, and exits 1. LUDRA_SESSION_TRACE=1 in the replay
# prints each operation as it starts, for a crash that ends the test before
# its own report.
set -euo pipefail
cd "$(dirname "$0")/.."

ops=2000
seconds=""
seed="$(date +%s)"
per_run=1000
build=1
while [ $# -gt 0 ]; do
  case "$1" in
    --ops) ops="$2"; shift 2 ;;
    --seconds) seconds="$2"; shift 2 ;;
    --seed) seed="$2"; shift 2 ;;
    --per-run) per_run="$2"; shift 2 ;;
    --no-build) build=0; shift ;;
    -h|--help) sed -n '2,/^set -euo/p' "$0" | sed '$d; s/^# \{0,1\}//'; exit 0 ;;
    *) echo "random-session.sh: unknown option $1 (try --help)" >&2; exit 2 ;;
  esac
done

. scripts/sanitize-common.sh
if [ "$build" = 1 ]; then
  [ -f build-sanitize/build.ninja ] || bash scripts/deps.sh test
  sanitize_configure
  cmake --build build-sanitize --target tst_randomsession --parallel "$(nproc)"
fi
test_bin="$PWD/build-sanitize/bin/tst_randomsession"
[ -x "$test_bin" ] || { echo "random-session.sh: $test_bin is not built" >&2; exit 2; }

# As ctest runs it (tests/CMakeLists.txt).
export QT_QPA_PLATFORM=offscreen LUDRA_SOURCE_DIR="$PWD" LC_ALL=C.UTF-8 LANGUAGE=

logs="$PWD/random-session-logs"
mkdir -p "$logs"
start=$SECONDS
done_ops=0
runs=0
while :; do
  if [ -n "$seconds" ]; then
    [ $((SECONDS - start)) -lt "$seconds" ] || break
    count="$per_run"
  else
    [ "$done_ops" -lt "$ops" ] || break
    count=$((ops - done_ops < per_run ? ops - done_ops : per_run))
  fi
  log="$logs/seed-$seed.log"
  if LUDRA_SESSION_SEED="$seed" LUDRA_SESSION_OPS="$count" "$test_bin" session:session >"$log" 2>&1; then
    rm -f "$log"
  else
    echo "FAILED: seed $seed, $count operations (after $runs sessions, $done_ops operations passed)"
    grep -m1 -A3 'FAIL!' "$log" || tail -n 30 "$log"
    echo "log: $log"
    echo "replay: LUDRA_SESSION_SEED=$seed LUDRA_SESSION_OPS=$count LUDRA_SESSION_TRACE=1 \\"
    echo "  QT_QPA_PLATFORM=offscreen LUDRA_SOURCE_DIR=$PWD $test_bin session:session"
    exit 1
  fi
  done_ops=$((done_ops + count))
  runs=$((runs + 1))
  echo "seed $seed: $count operations passed ($done_ops in all, $((SECONDS - start)) s)"
  seed=$((seed + 1))
done
echo "random sessions: $runs sessions, $done_ops operations, no failure ($((SECONDS - start)) s)"
