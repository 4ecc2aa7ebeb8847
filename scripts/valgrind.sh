#!/usr/bin/env bash
# Runs one whole session of the program under valgrind's memcheck: a plain Debug build (no
# sanitizers) in build-valgrind/, the tests' sample database (order 4, written by the
# write_sample_database program of the test build), and a script of answers that
# goes through the menu, a run of each database, an appended second run and a full disk under
# the CSV file. Fails when memcheck reports any error or leak.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh valgrind
build=$PWD/build-valgrind
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Debug -DVELLUMCAIRN_TESTS=ON >/dev/null
cmake --build "$build" -j "$(nproc)" --target vellumcairn write_sample_database >/dev/null

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$build/tests/write_sample_database" "$work/db"

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
