#!/usr/bin/env bash
# Builds the whole test suite under AddressSanitizer and UndefinedBehaviorSanitizer and runs it.
set -euo pipefail
cd "$(dirname "$0")/.."
# The system packages of the tests and tools (libpng, rsvg-convert, numpy, pandas, GNU
# parallel, Slurm, the fuzzer).
bash scripts/setup.sh
build=build-test
options=(-DCMAKE_BUILD_TYPE=Debug -DVELLUMCAIRN_SANITIZE=ON -DVELLUMCAIRN_TESTS=ON
         -DVELLUMCAIRN_WERROR=ON)
cmake -S . -B "$build" "${options[@]}"
cmake --build "$build" -j "$(nproc)"
[ -x "$build/costas_view" ] || { echo "costas_view was not built: libpng is missing" >&2; exit 1; }
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
ctest --test-dir "$build" --output-on-failure -j "$(nproc)"
# The tests whose texts depend on the path style, once more in the Windows style.
cmake -S . -B "$build-windows-paths" "${options[@]}" -DVELLUMCAIRN_UNIX_PATHS=OFF
cmake --build "$build-windows-paths" -j "$(nproc)" --target path_style_tests
ctest --test-dir "$build-windows-paths" --output-on-failure -j "$(nproc)" -L path_style
# A short run of every fuzz target, so that regressions show (0 skips it).
fuzz_seconds=${VELLUMCAIRN_FUZZ_SECONDS:-20}
if [ "$fuzz_seconds" -gt 0 ]; then
  bash scripts/fuzz.sh "$fuzz_seconds"
fi
