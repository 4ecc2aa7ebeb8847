# Shared by the cluster tests; sourced. Arguments of the tests: MAKE_DATABASE SOURCE_DIR.
# Exit code 77 tells CTest the test was skipped (SKIP_RETURN_CODE).

skip() {
  echo "SKIPPED: $*"
  exit 77
}

fail() {
  echo "FAILED: $*"
  exit 1
}

# Skips the test when one of the commands is missing: scripts/setup.sh (run by the test
# command) installs them.
require_commands() {
  local packages=$1 command
  shift
  for command in "$@"; do
    command -v "$command" >/dev/null 2>&1 ||
      skip "$command absent: bash scripts/setup.sh cluster installs $packages"
  done
}

# Writes $work/make_database, the make_database the scripts run: it appends its arguments to
# $work/calls.log and runs the real one. A unit named in $work/fail-units fails once (its line
# is removed), to check what a rerun redoes.
write_recording_make_database() {
  local real=$1 probe=$work/probe
  "$real" --out "$probe" --searched 3 --unit 1/1 >"$work/probe.log" 2>&1 ||
    fail "make_database --unit 1/1 for order 3: $(tail -n 1 "$work/probe.log")"
  : >"$work/fail-units"
  {
    echo '#!/usr/bin/env bash'
    printf 'work=%q\nreal=%q\n' "$work" "$real"
    cat <<'SCRIPT'
set -eu
echo "$*" >>"$work/calls.log"
arguments=("$@")
out= order= unit= merge=
while [ $# -gt 0 ]; do
  case $1 in
    --out) out=$2; shift ;;
    --searched) order=$2; shift ;;
    --unit) unit=$2; shift ;;
    --merge) merge=$2; shift ;;
  esac
  shift
done
if [ -n "$unit" ] && grep -qxF "$unit" "$work/fail-units"; then
  grep -vxF "$unit" "$work/fail-units" >"$work/fail-units.new" || true
  mv "$work/fail-units.new" "$work/fail-units"
  echo "unit $unit fails once, as the test asks" >&2
  exit 1
fi
exec "$real" "${arguments[@]}"
SCRIPT
  } >"$work/make_database"
  chmod +x "$work/make_database"
}

# Checks that calls.log holds RUNS --unit k/K calls for each k (one more for the unit RERUN),
# and a merge call last.
check_calls() {
  local units=$1 runs=$2 rerun=${3:-} k expected found
  for k in $(seq 1 "$units"); do
    expected=$runs
    [ "$k" = "$rerun" ] && expected=$((runs + 1))
    found=$(grep -c -- "--unit $k/$units\$" "$work/calls.log")
    [ "$found" = "$expected" ] || fail "unit $k/$units ran $found times, expected $expected"
  done
  tail -n 1 "$work/calls.log" | grep -q -- "--merge $units\$" ||
    fail "the last call is not the merge: $(tail -n 1 "$work/calls.log")"
}

# Compares the order built through the units with a single-process build (the unit work
# folder apart).
check_same_as_single_build() {
  local real=$1 order=$2 out=$3
  "$real" --out "$work/single" --searched "$order" >"$work/single.log" 2>&1 || fail "the single-process build failed"
  diff -r --exclude=.units "$work/single" "$out" || fail "the merged order differs from a single-process build"
  [ -n "$(ls "$out/Searches")" ] || fail "nothing written in $out/Searches"
}
