#!/usr/bin/env bash
# Both cluster scripts refuse a bad order N or number of units K before anything is submitted or
# run: stand-ins for sbatch and parallel record every call, and none may be made. A K beyond the
# branches of the order is refused by make_database's plan, with the largest K it takes.
# Usage: script_arguments_test.sh MAKE_DATABASE SOURCE_DIR
set -uo pipefail
real_make_database=$1
source_dir=$2
work=$(mktemp -d /tmp/cluster-arguments.XXXXXX)
trap 'rm -rf "$work"' EXIT
source "$source_dir/tests/cluster/cluster_support.sh"

mkdir -p "$work/bin"
for command in sbatch parallel; do
  printf '#!/usr/bin/env bash\necho "%s $*" >>%q\necho 1\n' "$command" "$work/submitted.log" >"$work/bin/$command"
  chmod +x "$work/bin/$command"
done
export PATH=$work/bin:$PATH MAKE_DATABASE=$real_make_database

# script, N, K, the words the refusal must hold
cases=(
  "slurm-search.sh|30|3|the order N must be a number 3-27, not '30'"
  "slurm-search.sh|012|3|the order N must be a number 3-27, not '012'"
  "slurm-search.sh|00|3|the order N must be a number 3-27, not '00'"
  "slurm-search.sh|2|3|the order N must be a number 3-27, not '2'"
  "slurm-search.sh|12|0|the number of units K must be a number 1-100000, not '0'"
  "slurm-search.sh|12|08|the number of units K must be a number 1-100000, not '08'"
  "slurm-search.sh|12|100001|the number of units K must be a number 1-100000, not '100001'"
  "slurm-search.sh|12|1e3|the number of units K must be a number 1-100000, not '1e3'"
  "slurm-search.sh|3|5|order 3 cannot be cut into 5 units: its search has 2 branches to share, so at most 2 units"
  "parallel-search.sh|28|4|the order N must be a number 3-27, not '28'"
  "parallel-search.sh|12|x|the number of units K must be a number 1-100000, not 'x'"
  "parallel-search.sh|4|99|order 4 cannot be cut into 99 units"
)
for case in "${cases[@]}"; do
  IFS='|' read -r script order units words <<<"$case"
  out=$work/db-$order-$units
  bash "$source_dir/scripts/cluster/$script" "$out" "$order" "$units" >"$work/run.log" 2>&1
  status=$?
  [ "$status" = 2 ] || fail "$script DIR $order $units exited $status: $(cat "$work/run.log")"
  grep -qF -- "$words" "$work/run.log" || fail "$script DIR $order $units does not say '$words': $(cat "$work/run.log")"
  [ -e "$work/submitted.log" ] && fail "$script DIR $order $units submitted: $(cat "$work/submitted.log")"
  [ -e "$out/Searches" ] && fail "$script DIR $order $units created $out/Searches"
done
echo "cluster scripts: ${#cases[@]} bad orders and numbers of units refused with exit status 2, nothing submitted"
