#!/usr/bin/env bash
# Times of make_database on this machine: the sample database (size and time), the exhaustive
# search of orders 14, 15 and 16 with 2 threads, and the count check of the generated orders
# 28-500 (in memory). Usage: bash bench/make_database_times.sh [highest searched order]
set -euo pipefail
cd "$(dirname "$0")/.."
top=${1:-16}
cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DVELLUMCAIRN_TESTS=OFF -DVELLUMCAIRN_BENCH=ON > /dev/null
cmake --build build-bench -j "$(nproc)" --target make_database generated_counts > /dev/null
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
start=$(date +%s.%N)
build-bench/make_database --out "$work/sample" --searched 3-12 --generated 2-60 2> /dev/null
end=$(date +%s.%N)
echo "Sample database (searched 3-12, generated 2-60): $(du -sh "$work/sample" | cut -f1)," \
     "$(find "$work/sample" -type f | wc -l) files, $(echo "$end - $start" | bc) s"
build-bench/make_database --out "$work/searched" --searched 3-13 --check-counts 2> /dev/null | tail -1
for n in $(seq 14 "$top"); do
  /usr/bin/time -f "%e s wall, %U s CPU" -o "$work/time.txt" \
    build-bench/make_database --out "$work/searched" --searched "$n" --jobs 2 > /dev/null 2>&1
  times=$(cat "$work/time.txt")
  echo "Searched order $n with --jobs 2: $times," \
       "header line: $(head -1 "$work/searched/Searches/Sorted_Costas_arrays_N=$n.txt")"
done
build-bench/bench/generated_counts 28 500
