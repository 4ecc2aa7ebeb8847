#!/usr/bin/env bash
# Runs one build's programs through a fixed set of work into OUT, so that two builds can be
# compared byte for byte with diff -r (the times they print are masked):
#   bash scripts/compare_builds.sh BIN OUT      (BIN holds vellumcairn and make_database)
# The work: a sample database (searched 3-12, generated 2-60) and its verification, menu
# sessions of order 12 with polynomials over prime, binary and odd extension fields, menu
# sessions of order 58 over GF(59), GF(64), GF(81) and GF(125), and select runs (csv and npy)
# with polynomials.
set -u
[ $# -eq 2 ] || { echo "usage: compare_builds.sh BIN OUT" >&2; exit 2; }
BIN=$(cd "$1" && pwd); OUT=$2
[ ! -e "$OUT" ] || { echo "compare_builds.sh: $OUT exists; give a new folder" >&2; exit 2; }
mkdir -p "$OUT"
cd "$OUT"
"$BIN/make_database" --out db --searched 3-12 --generated 2-60 > build.out 2> build.err; echo "exit $?" >> build.out
sed -i 's/in [0-9.]* s$/in T s/' build.out build.err
sed -i "s/about [0-9:]* left/about T left/" build.err
"$BIN/make_database" --verify db --check-methods --check-counts > verify.out 2>&1; echo "exit $?" >> verify.out
sed -i "s/about [0-9:]* left/about T left/" build.err verify.out
# Menu sessions of order 12, all arrays, with polynomials over GF(q)
for q in 13 17 16 25 27 32 49 81 125; do
  mkdir -p s$q; (cd s$q && "$BIN/make_database" --write-options ../db/ > /dev/null 2>&1
   printf 'Y\n2\n12\n8\n9\n%s\n0\nY\n' "$q" | "$BIN/vellumcairn" > console.txt 2>&1; echo "exit $?" >> console.txt)
done
# Menu sessions at order 58 over GF(59), GF(64), GF(81) and GF(125) (the packed product)
for q in 59 64 81 125; do
  mkdir -p m$q; (cd m$q && "$BIN/make_database" --write-options ../db/ > /dev/null 2>&1
   printf 'Y\n2\n58\n8\n9\n%s\n0\nY\n' "$q" | "$BIN/vellumcairn" > console.txt 2>&1; echo "exit $?" >> console.txt)
done
# Larger orders over odd extension fields (the packed product) and a prime field
mkdir -p big; (cd big && "$BIN/make_database" --write-options ../db/ > /dev/null 2>&1
  for pair in "58 59" "58 81" "58 125" "58 64" "40 343" "59 61"; do set -- $pair
    "$BIN/vellumcairn" select --database ../db --order $1 --polynomials --field $2 --out o$1_$2.csv --overwrite > sel$1_$2.txt 2>&1; echo "exit $?" >> sel$1_$2.txt
    "$BIN/vellumcairn" select --database ../db --order $1 --polynomials --field $2 --format npy --out o$1_$2.npy --overwrite >> sel$1_$2.txt 2>&1; echo "exit $?" >> sel$1_$2.txt
  done)
