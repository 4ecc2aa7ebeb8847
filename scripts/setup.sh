#!/usr/bin/env bash
# Installs the system packages (Debian's) that the tests and tools need, each only when absent,
# as root or through sudo. Groups, all three by default (the test command takes them all):
#   tests     libpng-dev (costas_view writes PNG), librsvg2-bin (its tests render SVG with
#             rsvg-convert), python3-numpy and python3-pandas (the select exports read back)
#   cluster   parallel, slurm-wlm and munge (the cluster scripts' tests)
#   fuzz      clang and its fuzzer runtime (scripts/fuzz.sh)
#   valgrind  valgrind (scripts/valgrind.sh), only when named
set -euo pipefail
groups=("$@")
[ ${#groups[@]} -gt 0 ] || groups=(tests cluster fuzz)
need=()
fuzzer_runtime() { ls /usr/lib/llvm-*/lib/clang/*/lib/linux/libclang_rt.fuzzer-x86_64.a >/dev/null 2>&1; }
for group in "${groups[@]}"; do
  case $group in
    tests)
      [ -f /usr/include/png.h ] || need+=(libpng-dev)
      command -v rsvg-convert >/dev/null 2>&1 || need+=(librsvg2-bin)
      /usr/bin/python3 -c 'import numpy' >/dev/null 2>&1 || need+=(python3-numpy)
      /usr/bin/python3 -c 'import pandas' >/dev/null 2>&1 || need+=(python3-pandas) ;;
    cluster)
      command -v parallel >/dev/null 2>&1 || need+=(parallel)
      for command in slurmctld slurmd sbatch squeue scontrol sinfo; do
        command -v $command >/dev/null 2>&1 || { need+=(slurm-wlm); break; }
      done
      command -v munged >/dev/null 2>&1 || need+=(munge) ;;
    fuzz)
      { command -v clang++ >/dev/null 2>&1 && fuzzer_runtime; } || need+=(clang libclang-rt-dev) ;;
    valgrind)
      command -v valgrind >/dev/null 2>&1 || need+=(valgrind) ;;
    *)
      echo "setup.sh: unknown group $group (tests, cluster, fuzz, valgrind)" >&2
      exit 2 ;;
  esac
done
[ ${#need[@]} -gt 0 ] || exit 0
sudo=()
[ "$(id -u)" = 0 ] || sudo=(sudo)
install() { "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "$@" >/dev/null; }
echo "installing ${need[*]}"
# The package lists are fetched only when the install cannot find a package. Older releases
# name the fuzzer runtime by the compiler's version.
install "${need[@]}" ||
  { "${sudo[@]}" apt-get update -qq >/dev/null && install "${need[@]}"; } ||
  { [[ " ${need[*]} " == *" libclang-rt-dev "* ]] &&
    install "${need[@]/libclang-rt-dev/libclang-rt-14-dev}"; }
