#!/usr/bin/env bash
# Builds the whole test suite under AddressSanitizer and UndefinedBehaviorSanitizer and runs it.
set -euo pipefail
cd "$(dirname "$0")/.."
build=build-test
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Debug -DVELLUMCAIRN_SANITIZE=ON -DVELLUMCAIRN_TESTS=ON
cmake --build "$build" -j "$(nproc)"
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
ctest --test-dir "$build" --output-on-failure -j "$(nproc)"
