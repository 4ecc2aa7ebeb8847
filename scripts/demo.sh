#!/usr/bin/env bash
# Builds the program and the database builder, makes the sample database in demo/database/
# (searched orders 3-12, generated orders 2-60) when it is not there yet, writes
# demo/Vellumcairn_Options.txt pointing at it when absent, and starts the program in demo/ on
# this terminal.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DVELLUMCAIRN_TESTS=OFF > /dev/null
cmake --build build -j "$(nproc)" --target vellumcairn make_database
mkdir -p demo
# The essential-set file of an order is written last, so these two mark a complete build.
if [[ ! -f "demo/database/Searches/Costas_essense_N=12.txt" ||
      ! -f "demo/database/Generated/Costas_essense_N=60.txt" ]]; then
  echo "Building the sample database in demo/database/ ..."
  build/make_database --out demo/database --searched 3-12 --generated 2-60
fi
if [[ ! -f demo/Vellumcairn_Options.txt ]]; then
  (cd demo && ../build/make_database --write-options ./database/)
fi
cd demo
exec ../build/vellumcairn
