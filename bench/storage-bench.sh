#!/usr/bin/env bash
# Size and speed of Ludra's lh5 codec beside jlha (which compresses and
# decompresses) and lhasa (which only decompresses), on the same inputs:
#   corpus.txt   about 1 MiB of text: the licences in /usr/share/common-licenses,
#                then the copyright files under /usr/share/doc, cut at 1 MiB
#   large.txt    the same text cut at 16 MiB, where starting a program no
#                longer hides the speed of its work
#   project.bin  a ~30 KB project-like container payload (many short CR LF
#                lines), written by storage_bench
# and, for packed sizes only, the codec test inputs (storage_bench samples).
# Each tool's work is timed as a whole process with hyperfine, so the times
# include starting the program: the Java VM for jlha, the Qt libraries for
# storage_bench (rows "start only" show that part). storage_bench speed adds
# in-process figures for Ludra's codec alone. Every archive is first checked
# to extract to its input.
#
# Usage: bench/storage-bench.sh [BUILD_DIR]   (default build-bench, Release)
# Needs: jlha (jlha-utils), lhasa, hyperfine, and Ludra's build dependencies.
set -euo pipefail
cd "$(dirname "$0")/.."
. bench/support/configure.sh
build=${1:-build-bench}

for tool in jlha lhasa hyperfine; do
  command -v "$tool" >/dev/null || { echo "$tool is not installed" >&2; exit 1; }
done
bench_build "$build" storage_bench
ludra="$PWD/$build/bin/storage_bench"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
# (head stops reading at 1 MiB; the writers' broken pipe is expected.)
(
  set +o pipefail
  {
    cat /usr/share/common-licenses/*
    find /usr/share/doc -name copyright -type f -print0 | LC_ALL=C sort -z | xargs -0 cat
  } 2>/dev/null | head -c 16777216 > large.txt
)
head -c 1048576 large.txt > corpus.txt
"$ludra" project-payload project.bin
: > empty.bin
"$ludra" compress empty.bin empty.lzh

packed() { "$ludra" info "$1" | awk '{ print $2 }'; }

for input in corpus.txt large.txt project.bin; do
  size=$(stat -c %s "$input")
  rm -f ludra.lzh jlha.lzh
  "$ludra" compress "$input" ludra.lzh
  jlha aqo5 jlha.lzh "$input" >/dev/null
  [ "$("$ludra" info jlha.lzh | awk '{ print $1 }')" = "-lh5-" ] || { echo "jlha did not use -lh5-" >&2; exit 1; }

  # Both archives must give the input back, through both other tools.
  rm -rf check && mkdir check
  lhasa -xqfw=check ludra.lzh && cmp -s "check/$input" "$input" || { echo "lhasa: ludra.lzh differs" >&2; exit 1; }
  "$ludra" decompress jlha.lzh check/from-jlha && cmp -s check/from-jlha "$input" || { echo "ludra: jlha.lzh differs" >&2; exit 1; }

  ours=$(packed ludra.lzh)
  theirs=$(packed jlha.lzh)
  echo
  echo "== $input: $size bytes"
  awk -v o="$ours" -v t="$theirs" -v s="$size" 'BEGIN {
      printf "   compressed  Ludra %8d bytes (%.2f%%)   jlha %8d bytes (%.2f%%)   Ludra/jlha %.4f\n",
             o, 100 * o / s, t, 100 * t / s, o / t }'

  # -N: no shell in between, so the start of each program is all that is
  # timed beside its work; the two "start only" rows show that part alone.
  runs=10
  [ "$size" -gt 4000000 ] && runs=3
  hyperfine -N --style none --warmup 1 --min-runs "$runs" --export-csv times.csv \
    --prepare 'rm -f out.lzh' \
    -n "start only  Ludra  (no work)" "'$ludra' none" \
    -n "start only  lhasa  (empty member)" "lhasa pq empty.lzh" \
    -n "compress    Ludra" "'$ludra' compress $input out.lzh" \
    -n "compress    jlha" "jlha aqo5 out.lzh $input" \
    -n "decompress  Ludra  (Ludra's archive)" "'$ludra' decompress ludra.lzh /dev/null" \
    -n "decompress  lhasa  (Ludra's archive)" "lhasa pq ludra.lzh" \
    -n "decompress  jlha   (Ludra's archive)" "jlha pq ludra.lzh" \
    -n "decompress  Ludra  (jlha's archive)" "'$ludra' decompress jlha.lzh /dev/null" \
    -n "decompress  lhasa  (jlha's archive)" "lhasa pq jlha.lzh" \
    -n "decompress  jlha   (jlha's archive)" "jlha pq jlha.lzh" >/dev/null 2>hyperfine.log \
    || { cat hyperfine.log >&2; exit 1; }
  # command,mean,stddev,median,user,system,min,max (seconds)
  awk -F, -v size="$size" 'NR > 1 {
      printf "   %-38s %9.2f ms +- %6.2f", $1, $2 * 1000, $3 * 1000
      if ($1 ~ /^start/) print ""; else printf "   %8.1f MB/s\n", size / $2 / 1e6 }' times.csv
  printf '   in-process, Ludra: '
  "$ludra" speed "$input" 20
done

# Packed sizes of the codec test inputs. jlha keeps an input it cannot
# shrink stored (-lh0-); its size is then shown with that method.
echo
echo "== codec test inputs: packed sizes"
printf '   %-40s %9s %9s %9s  %s\n' input bytes Ludra jlha Ludra/jlha
"$ludra" samples samples
for path in samples/*; do
  name=$(basename "$path")
  rm -f ludra.lzh jlha.lzh
  "$ludra" compress "$path" ludra.lzh
  rm -rf check && mkdir check
  lhasa -xqfw=check ludra.lzh && cmp -s "check/$name" "$path" || { echo "lhasa: ludra.lzh of $name differs" >&2; exit 1; }
  (cd samples && jlha aqo5 ../jlha.lzh "$name" >/dev/null)
  read -r method theirs _ < <("$ludra" info jlha.lzh)
  ours=$(packed ludra.lzh)
  awk -v n="$name" -v s="$(stat -c %s "$path")" -v o="$ours" -v t="$theirs" -v m="$method" 'BEGIN {
      r = (m == "-lh5-" && t > 0) ? sprintf("%.4f", o / t) : "(jlha stored it " m ")"
      printf "   %-40s %9d %9d %9d  %s\n", n, s, o, t, r }'
done
