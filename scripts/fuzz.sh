#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (installing it from Debian's packages when absent) and
# runs each for a fixed time: bash scripts/fuzz.sh [SECONDS_PER_TARGET] [TARGET...]
# Every committed seed corpus in fuzz/corpus/<target> is used; new finds go to build-fuzz/corpus.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-30}
shift || true
bash scripts/setup.sh fuzz
build=$PWD/build-fuzz
CC=clang CXX=clang++ cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DVELLUMCAIRN_FUZZ=ON -DVELLUMCAIRN_TESTS=OFF >/dev/null
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for source in fuzz/fuzz_*.cpp; do
    name=$(basename "$source" .cpp)
    [ "$name" = fuzz_support ] || targets+=("$name")
  done
fi
cmake --build "$build" -j "$(nproc)" --target "${targets[@]}"
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
for target in "${targets[@]}"; do
  seeds=$PWD/fuzz/corpus/${target#fuzz_}
  work=$build/corpus/${target#fuzz_}
  mkdir -p "$work" "$seeds"
  echo "== $target: $seconds s"
  "$build/fuzz/$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
    -artifact_prefix="$build/" -print_final_stats=1 "$work" "$seeds" 2>&1 \
    | grep -E '^(#[0-9]+.*(DONE|INITED)|stat::number_of_executed_units|stat::peak_rss_mb|==[0-9]+==ERROR|SUMMARY|.*Test unit written)' || true
  if ls "$build"/crash-* "$build"/timeout-* "$build"/leak-* >/dev/null 2>&1; then
    echo "fuzz target $target found a fault: see $build/" >&2
    exit 1
  fi
done
