#!/usr/bin/env bash
# Runs the searched order N of the database in DIR as K units with GNU parallel, then merges
# them. Extra arguments go to parallel: -S host1,host2 runs units on other machines (DIR and
# make_database under the same paths there), -j the units per machine. Each unit runs on one
# thread, as parallel already fills the processors with units.
# The job log is DIR/Searches/.units/N/K/parallel-K.log: rerun with --resume-failed to redo only
# the units that failed (units already complete are skipped by make_database in any case).
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
read_search_arguments "[GNU parallel options...]" "$@"
shift 3
find_make_database
command -v parallel >/dev/null || { echo "$(basename "$0"): GNU parallel not found" >&2; exit 2; }
check_plan

unit_command="$(printf '%q' "$make_database") --out $(printf '%q' "$dir") --searched $order --jobs 1 --unit {}/$units"
if ! seq 1 "$units" | parallel --joblog "$units_dir/parallel-$units.log" "$@" "$unit_command"; then
  echo "$(basename "$0"): some units failed (see $units_dir/parallel-$units.log);" \
       "rerun with --resume-failed" >&2
  exit 1
fi
exec "$make_database" --out "$dir" --searched "$order" --merge "$units"
