#!/usr/bin/env bash
# Runs one whole session of the program under valgrind's memcheck: a plain Debug build (no
# sanitizers) in build-valgrind/, a small database written here, and a script of answers that
# goes through the menu, a run of each database, an appended second run and a full disk under
# the CSV file. Fails when memcheck reports any error or leak.
set -euo pipefail
cd "$(dirname "$0")/.."
if ! command -v valgrind >/dev/null; then
  apt-get update -qq && apt-get install -y -qq valgrind >/dev/null
fi
build=$PWD/build-valgrind
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Debug -DVELLUMCAIRN_TESTS=OFF >/dev/null
cmake --build "$build" -j "$(nproc)" --target vellumcairn >/dev/null

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
order_4() {   # folder, arrays of the essential set, first index (1 generated, 0 searched)
  local folder=$1 arrays=$2 generated=$3
  mkdir -p "$folder"
  printf '%s' "$arrays" >"$folder/Costas_essense_N=4.txt"
  printf '3 2\n%s' "$arrays" >"$folder/Sorted_Costas_arrays_N=4.txt"
  printf 'No symmetrical Costas arrays.\n' >"$folder/Costas_symmetrical_N=4.txt"
  printf 'No G-symmetrical Costas arrays.\n' >"$folder/Costas_G-Symmetrical_N=4.txt"
  printf 'Costas arrays of order 4\nNumber of unique Costas arrays: 2\nNumber of essential Costas arrays: 2\n0 symmetrical Costas arrays\n0  G-symmetrical Costas arrays\nNumber of unique G-symmetrical arrays: 0\n' \
    >"$folder/Costas_log_N=4.txt"
  if [ "$generated" = 1 ]; then
    printf ' 00000002\n 11000002\n' >"$folder/Costas_essense_N=4.txt_methods.txt"
    printf '3 2\n 00000002\n 11000002\n' >"$folder/Sorted_Costas_arrays_N=4.txt_methods.txt"
    printf '\n' >"$folder/Costas_symmetrical_N=4.txt_methods.txt"
    printf '\n' >"$folder/Costas_G-Symmetrical_N=4.txt_methods.txt"
    printf '1 2\n' >"$folder/Costas_essense_N=2.txt"
  fi
}
order_4 "$work/db/Generated" $'1 2 4 3\nPolymorph: 1 3 4 2\n' 1
order_4 "$work/db/Searches" $'0 1 3 2\nPolymorph: 0 2 3 1\n' 0

# Agree; order 4, essential set, database folder, output name, filter on Welch 0, field
# polynomials on; run; again with the searched database (appended); then a run whose CSV file
# is a full disk (exit status 1 for the lost lines); done.
ln -s /dev/full "$work/full.csv"
cd "$work"
set +e
printf '%s\n' Y 2 4 5 2 10 "$work/db/" 11 out.txt 3 4 1 8 0 N 1 0 N 11 full.txt 0 Y |
  valgrind --error-exitcode=99 --leak-check=full \
    --show-leak-kinds=definite,indirect,possible --errors-for-leak-kinds=definite,indirect,possible \
    "$build/vellumcairn" >session.txt 2>valgrind.txt
status=$?
set -e
# The whole report when memcheck found something, else its summary lines.
if [ "$status" -eq 99 ]; then cat valgrind.txt; else grep -E 'ERROR SUMMARY|in use at exit|All heap' valgrind.txt; fi
echo "valgrind: exit status $status, $(wc -l <session.txt) console lines, $(wc -l <out.txt) lines in out.txt"
[ "$status" -ne 99 ] || { echo "memcheck found errors" >&2; exit 1; }
