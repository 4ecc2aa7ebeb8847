#!/usr/bin/env bash
# Builds the program, the database builder and costas_view, makes the sample database in
# demo/database/ (searched orders 3-12, generated orders 2-60) when it is not there yet, writes
# demo/Vellumcairn_Options.txt pointing at it when absent, and starts the program in demo/ on
# this terminal.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DVELLUMCAIRN_TESTS=OFF > /dev/null
targets=(vellumcairn make_database)
# costas_view is built where the system's libpng is (Debian package libpng-dev).
if cmake --build build --target help | grep -w costas_view > /dev/null; then
  targets+=(costas_view)
else
  echo "costas_view is not built: the system has no libpng (Debian package libpng-dev)."
fi
cmake --build build -j "$(nproc)" --target "${targets[@]}"
mkdir -p demo
# The essential-set file of an order is written last, so these two mark a complete build.
if [[ ! -f "demo/database/Searches/Costas_essense_N=12.txt" ||
      ! -f "demo/database/Generated/Costas_essense_N=60.txt" ]]; then
  echo "Building the sample database in demo/database/ ..."
  # The builder's notes go to demo/make_database_log.txt; the orders it built from constructions
  # only are named here once, from the mark in their log files.
  if ! build/make_database --out demo/database --searched 3-12 --generated 2-60 \
      2> demo/make_database_log.txt; then
    cat demo/make_database_log.txt >&2
    exit 1
  fi
  partial=$(grep -l '^Constructions only:' demo/database/Generated/Costas_log_N=*.txt |
              sed 's/.*_N=\([0-9]*\)\.txt/\1/' | sort -n |
              awk 'NR == 1 {first = last = $1; next}
                   $1 == last + 1 {last = $1; next}
                   {printf "%s%s, ", first, (last > first ? "-" last : ""); first = last = $1}
                   END {if (NR) printf "%s%s", first, (last > first ? "-" last : "")}')
  if [[ -n "$partial" ]]; then
    echo "Generated orders $partial hold only their constructed arrays (the sample searches" \
         "orders 3-12 only); details in demo/make_database_log.txt."
  fi
fi
if [[ ! -f demo/Vellumcairn_Options.txt ]]; then
  (cd demo && ../build/make_database --write-options ./database/)
fi
cd demo
exec ../build/vellumcairn
