#!/usr/bin/env bash
# Submits the searched order N of the database in DIR to Slurm as K units: a job array of the
# units (make_database --unit k/K) and a merge job (make_database --merge K) that starts once
# every unit has succeeded. Extra arguments go to both sbatch calls (partition, time, CPUs...).
# DIR must be a folder every node sees under the same path, and so must make_database.
# Prints the job ids: "units job: ID" and "merge job: ID".
# Resubmitting the same command after a failure redoes only the units not yet complete; a unit
# still running from an earlier submission is not run twice (its second task fails at once), so
# resubmit only when the earlier job array has ended. The units' output goes to their work folder
# DIR/Searches/.units/N/K/, which the merge removes; the merge job's to DIR/Searches/.units/.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
read_search_arguments "[sbatch options...]" "$@"
shift 3
find_make_database
command -v sbatch >/dev/null || { echo "$(basename "$0"): sbatch not found" >&2; exit 2; }
check_plan

quoted_make_database=$(printf '%q' "$make_database")
quoted_dir=$(printf '%q' "$dir")

# --parsable prints "id" or "id;cluster".
units_job=$(sbatch --parsable --array="1-$units" --job-name="search$order-units" \
                   --output="$units_dir/slurm-%A_%a.out" "$@" \
                   --wrap="exec $quoted_make_database --out $quoted_dir --searched $order --unit \$SLURM_ARRAY_TASK_ID/$units")
units_job=${units_job%%;*}
merge_job=$(sbatch --parsable --dependency="afterok:$units_job" --job-name="search$order-merge" \
                   --output="$dir/Searches/.units/search$order-merge-%j.out" "$@" \
                   --wrap="exec $quoted_make_database --out $quoted_dir --searched $order --merge $units")
merge_job=${merge_job%%;*}
echo "units job: $units_job"
echo "merge job: $merge_job"
