#!/usr/bin/env bash
# Builds the sanitize configuration (AddressSanitizer + UndefinedBehaviorSanitizer)
# and runs every test. Exits non-zero on any failure.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
jobs=$(nproc)
cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=Sanitize -DQV_BUILD_BENCHMARKS=ON
cmake --build build-sanitize -j "$jobs"
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
ctest --test-dir build-sanitize -j "$jobs" --output-on-failure
