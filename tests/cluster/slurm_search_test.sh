#!/usr/bin/env bash
# scripts/cluster/slurm-search.sh through a real one-node Slurm on this machine: munged,
# slurmctld and slurmd started here with their own key, socket, ports (loopback) and folders,
# order 11 in 8 units, the merge job waited for and its result compared byte for byte with a
# single-process build. The daemons started here are stopped by their process ids.
# Usage: slurm_search_test.sh MAKE_DATABASE SOURCE_DIR (CLUSTER_TEST_ORDER=12 for another order)
set -uo pipefail
real_make_database=$1
source_dir=$2
order=${CLUSTER_TEST_ORDER:-11}   # the order searched in 8 units
work=$(mktemp -d /tmp/slurm-search.XXXXXX)
daemon_pids=()
stop_daemons() {
  local pid
  for pid in "${daemon_pids[@]}"; do
    kill "$pid" 2>/dev/null
  done
  for pid in "${daemon_pids[@]}"; do
    for _ in $(seq 50); do
      kill -0 "$pid" 2>/dev/null || break
      sleep 0.1
    done
    kill -9 "$pid" 2>/dev/null
  done
  rm -rf "$work"
}
trap stop_daemons EXIT
source "$source_dir/tests/cluster/cluster_support.sh"

require_commands "slurm-wlm munge" slurmctld slurmd munged sbatch squeue scontrol sinfo
[ "$(id -u)" = 0 ] || skip "the daemons run as root here (SlurmUser=root), and this is not root"

# A free loopback port: nothing answers a connection to it.
free_port() {
  local port
  while :; do
    port=$((20000 + RANDOM % 20000))
    (exec 3<>"/dev/tcp/127.0.0.1/$port") 2>/dev/null || { echo "$port"; return; }
  done
}

mkdir -p "$work/munge" "$work/state" "$work/spool"
chmod 700 "$work/munge"
head -c 1024 /dev/urandom >"$work/munge/munge.key"
chmod 400 "$work/munge/munge.key"
socket=$work/munge/socket
munged --foreground --force --socket="$socket" --key-file="$work/munge/munge.key" \
       --pid-file="$work/munge/munged.pid" --log-file="$work/munge/munged.log" \
       --seed-file="$work/munge/munged.seed" >"$work/munge/stdout.log" 2>&1 &
daemon_pids+=($!)
for _ in $(seq 50); do
  [ -S "$socket" ] && break
  kill -0 "${daemon_pids[0]}" 2>/dev/null || break
  sleep 0.1
done
[ -S "$socket" ] || skip "munged did not start: $(tail -n 1 "$work/munge/munged.log" "$work/munge/stdout.log" 2>/dev/null | grep -v '^==>' | grep . | tail -n 1)"

node=$(hostname -s)
ctld_port=$(free_port)
slurmd_port=$(free_port)
[ "$slurmd_port" = "$ctld_port" ] && slurmd_port=$((ctld_port + 1))
export SLURM_CONF=$work/slurm.conf
cat >"$SLURM_CONF" <<CONF
ClusterName=vellumcairntest
SlurmctldHost=$node(127.0.0.1)
SlurmctldPort=$ctld_port
SlurmdPort=$slurmd_port
SlurmUser=root
SlurmdUser=root
AuthType=auth/munge
AuthInfo=socket=$socket
CredType=cred/munge
ProctrackType=proctrack/linuxproc
TaskPlugin=task/none
JobAcctGatherType=jobacct_gather/none
AccountingStorageType=accounting_storage/none
MpiDefault=none
SchedulerType=sched/backfill
SelectType=select/cons_tres
SelectTypeParameters=CR_CPU
ReturnToService=2
MinJobAge=600
StateSaveLocation=$work/state
SlurmdSpoolDir=$work/spool
SlurmctldPidFile=$work/slurmctld.pid
SlurmdPidFile=$work/slurmd.pid
SlurmctldLogFile=$work/slurmctld.log
SlurmdLogFile=$work/slurmd.log
NodeName=$node NodeAddr=127.0.0.1 CPUs=$(nproc) State=UNKNOWN
PartitionName=test Nodes=$node Default=YES MaxTime=INFINITE State=UP
CONF

slurmctld -D -i >"$work/slurmctld.stdout" 2>&1 &
daemon_pids+=($!)
slurmd -D >"$work/slurmd.stdout" 2>&1 &
daemon_pids+=($!)
last_line() {
  cat "$@" 2>/dev/null | grep . | tail -n 1
}
state=
for _ in $(seq 150); do
  kill -0 "${daemon_pids[1]}" 2>/dev/null ||
    skip "slurmctld did not start: $(last_line "$work/slurmctld.log" "$work/slurmctld.stdout")"
  kill -0 "${daemon_pids[2]}" 2>/dev/null ||
    skip "slurmd did not start: $(last_line "$work/slurmd.log" "$work/slurmd.stdout")"
  state=$(sinfo -h -n "$node" -o %T 2>/dev/null)
  [ "$state" = idle ] && break
  sleep 0.2
done
[ "$state" = idle ] || skip "the Slurm node is not idle after 30 s (state '$state'): $(last_line "$work/slurmd.log")"

write_recording_make_database "$real_make_database"
export MAKE_DATABASE=$work/make_database
out=$work/out
script=$source_dir/scripts/cluster/slurm-search.sh
# Submits order 11 in 8 units; sets units_job and merge_job.
submit() {
  "$script" "$out" "$order" 8 >"$work/submit.log" 2>&1 || fail "slurm-search.sh failed: $(cat "$work/submit.log")"
  units_job=$(awk '/^units job: /{print $3}' "$work/submit.log")
  merge_job=$(awk '/^merge job: /{print $3}' "$work/submit.log")
  [ -n "$units_job" ] && [ -n "$merge_job" ] || fail "no job ids printed: $(cat "$work/submit.log")"
  scontrol show job "$merge_job" | grep -q "Dependency=afterok:${units_job}" ||
    fail "the merge job does not wait for the units: $(scontrol show job "$merge_job" | grep Dependency)"
}
# Waits up to 2 minutes until the merge job has ended or can never start; sets merge_state.
wait_for_merge() {
  local details
  for _ in $(seq 600); do
    details=$(scontrol show job "$merge_job" 2>/dev/null)
    merge_state=$(sed -n 's/.*JobState=\([A-Z_]*\).*/\1/p' <<<"$details")
    grep -q DependencyNeverSatisfied <<<"$details" && merge_state=NEVER
    case $merge_state in COMPLETED | FAILED | CANCELLED | TIMEOUT | NODE_FAIL | OUT_OF_MEMORY | NEVER) return ;; esac
    sleep 0.2
  done
}

# A unit that fails keeps the merge from ever starting; resubmitting runs the merge.
echo 5/8 >"$work/fail-units"
submit
wait_for_merge
[ "$merge_state" = NEVER ] || fail "with unit 5/8 failed, merge job $merge_job ended $merge_state"
grep -q -- "--merge" "$work/calls.log" && fail "merged although unit 5/8 failed"
scancel "$merge_job"
# A unit still running would refuse its second run: resubmit once the job array has ended.
for _ in $(seq 600); do
  [ -z "$(squeue -h -j "$units_job" 2>/dev/null)" ] && break
  sleep 0.2
done
submit
wait_for_merge
[ "$merge_state" = COMPLETED ] ||
  fail "merge job $merge_job ended $merge_state: $(cat "$out"/Searches/.units/search$order-merge-*.out 2>/dev/null | tail -n 5)"
check_calls 8 2
check_same_as_single_build "$real_make_database" "$order" "$out"
echo "slurm-search.sh: order $order in 8 units through slurmctld/slurmd on $node, a failed unit holding the merge back until resubmitted, merge job after them; identical to a single-process build"
