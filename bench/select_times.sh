#!/usr/bin/env bash
# select beside the interactive run of the same selection, both measured in this one run: the
# essential arrays of generated orders 400 and 478 (and all arrays of order 478), each run
# five times, the best wall time kept, and the largest resident memory of any of the runs.
# The interactive run writes its text, CSV and methods CSV files and its console (to
# /dev/null); select writes its one csv, text or npy file.
# Usage: bash bench/select_times.sh [build folder]   (default build-bench, built here)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-bench}
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DVELLUMCAIRN_TESTS=OFF -DVELLUMCAIRN_BENCH=ON > /dev/null
cmake --build "$build" -j 2 --target vellumcairn make_database > /dev/null
program=$PWD/$build/vellumcairn
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$build/make_database" --out "$work/db" --generated 2 > /dev/null 2>&1
"$build/make_database" --out "$work/db" --generated 400 > /dev/null 2>&1
"$build/make_database" --out "$work/db" --generated 478 > /dev/null 2>&1

# best_of LABEL BYTES COMMAND...: runs the command 5 times in $work/run and prints one line.
best_of() {
  local label=$1 bytes=$2
  shift 2
  local best="" memory=0
  for _ in 1 2 3 4 5; do
    rm -rf "$work/run" && mkdir "$work/run"
    (cd "$work/run" && /usr/bin/time -f "%e %M" -o "$work/time.txt" "$@" > /dev/null)
    read -r seconds kilobytes < "$work/time.txt"
    if [ -z "$best" ] || [ "$(echo "$seconds < $best" | bc)" = 1 ]; then best=$seconds; fi
    [ "$kilobytes" -gt "$memory" ] && memory=$kilobytes
  done
  local rate="-"
  [ "$(echo "$best > 0" | bc)" = 1 ] && rate=$(echo "scale=1; $bytes / 1000000 / $best" | bc)
  printf '  %-34s %6.2f s  %7s MB/s of arrays file  max RSS %6d KB\n' "$label" "$best" "$rate" "$memory"
}

interactive() {   # ORDER SYMMETRY_TYPE: the menu driven through standard input
  printf 'Y\n10\n%s/db/\n11\nrun.txt\n2\n%d\n5\n%d\n7\n0\nY\n' "$work" "$1" "$2" | "$program"
}
export -f interactive
export program work

for selection in "400 essential 2 Costas_essense" "478 essential 2 Costas_essense" \
                 "478 all 1 Sorted_Costas_arrays"; do
  read -r n kind type file <<< "$selection"
  arrays="$work/db/Generated/${file}_N=$n.txt"
  bytes=$(( $(stat -c %s "$arrays") + $(stat -c %s "$arrays"_methods.txt) ))
  count=$(grep -c . "$arrays")
  echo "Generated order $n, $kind: $count lines, $bytes bytes of arrays and methods files"
  best_of "interactive run (text, CSV, methods)" "$bytes" bash -c "interactive $n $type"
  for format in csv text npy; do
    out=sel.$format
    best_of "select --format $format" "$bytes" \
      "$program" select --database "$work/db" --order "$n" --kind "$kind" --format "$format" --out "$out"
  done
done
