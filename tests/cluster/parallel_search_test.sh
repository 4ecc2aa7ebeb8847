#!/usr/bin/env bash
# scripts/cluster/parallel-search.sh through a real GNU parallel on this machine: order 11 in 8
# units, with one unit failing the first time; the rerun with --resume-failed redoes that unit
# alone and merges, and the result is byte for byte a single-process build.
# Usage: parallel_search_test.sh MAKE_DATABASE SOURCE_DIR (CLUSTER_TEST_ORDER=12 for another order)
set -uo pipefail
real_make_database=$1
source_dir=$2
order=${CLUSTER_TEST_ORDER:-11}   # the order searched in 8 units
work=$(mktemp -d /tmp/parallel-search.XXXXXX)
trap 'rm -rf "$work"' EXIT
source "$source_dir/tests/cluster/cluster_support.sh"

require_commands parallel parallel
write_recording_make_database "$real_make_database"
export MAKE_DATABASE=$work/make_database
script=$source_dir/scripts/cluster/parallel-search.sh
out=$work/out

echo 3/8 >"$work/fail-units"
if "$script" "$out" "$order" 8 --will-cite -j 2 >"$work/first.log" 2>&1; then
  fail "the first run succeeded although unit 3/8 failed"
fi
grep -q -- "--resume-failed" "$work/first.log" || fail "the failed run does not say how to resume: $(cat "$work/first.log")"
grep -q -- "--merge" "$work/calls.log" && fail "merged although unit 3/8 failed"
[ -e "$out/Searches/Sorted_Costas_arrays_N=$order.txt" ] && fail "order $order written although unit 3/8 failed"
log=$out/Searches/.units/$order/8/parallel-8.log
[ "$(awk 'NR > 1' "$log" | wc -l)" = 8 ] || fail "the job log holds no 8 units: $(cat "$log")"

"$script" "$out" "$order" 8 --will-cite -j 2 --resume-failed >"$work/second.log" 2>&1 ||
  fail "the rerun failed: $(tail -n 3 "$work/second.log")"
check_calls 8 1 3
check_same_as_single_build "$real_make_database" "$order" "$out"
[ -e "$out/Searches/.units/$order" ] && fail "the merge left $out/Searches/.units/$order: $(ls -R "$out/Searches/.units/$order")"
echo "parallel-search.sh: order $order in 8 units, unit 3 failed once and was redone alone on resume; merge identical to a single-process build"
