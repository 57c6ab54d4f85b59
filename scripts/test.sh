#!/usr/bin/env bash
# Builds and runs every check; exits non-zero on any failure:
# - build-sanitize/ (g++, AddressSanitizer + UndefinedBehaviorSanitizer,
#   warnings as errors): every test suite, the layering check, the formatting
#   check and the check that the committed fuzz seeds are current;
# - build-fuzz/ (clang, libFuzzer, the same sanitizers, warnings as errors):
#   only the fuzz targets and what they link, each run for QV_FUZZ_SECONDS
#   from its seeds in fuzz/corpus/<target>/; a finding fails the run;
# - build-tsan/ (g++, ThreadSanitizer, warnings as errors): only the stress
#   test of the exports (test_stress), run with halt_on_error.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
jobs=$(nproc)
fuzz_seconds=${QV_FUZZ_SECONDS:-20}
phase() { echo "== $1 (${SECONDS}s since start)"; }

phase "build-sanitize: configure and build"
cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=Sanitize -DQV_BUILD_BENCHMARKS=ON \
    -DQV_WARNINGS_AS_ERRORS=ON
cmake --build build-sanitize -j "$jobs"

phase "build-fuzz: configure and build the fuzz targets"
cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=Sanitize -DCMAKE_C_COMPILER=clang \
    -DCMAKE_CXX_COMPILER=clang++ -DQV_BUILD_FUZZERS=ON -DQV_BUILD_TESTS=OFF -DQV_WARNINGS_AS_ERRORS=ON \
    -DQV_FUZZ_SECONDS="$fuzz_seconds"
cmake --build build-fuzz -j "$jobs" --target qv_fuzzers

phase "build-tsan: configure and build the stress test"
cmake -S . -B build-tsan -G Ninja -DCMAKE_BUILD_TYPE=Tsan -DQV_WARNINGS_AS_ERRORS=ON
cmake --build build-tsan -j "$jobs" --target test_stress

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
status=0
# The fuzz targets first, so that the suites' summary closes the output.
phase "fuzz targets, ${fuzz_seconds}s each"
ctest --test-dir build-fuzz -j "$jobs" --output-on-failure || status=1
phase "stress test under ThreadSanitizer"
TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1 ./build-tsan/test_stress --gtest_brief=1 || status=1
phase "suites and checks"
ctest --test-dir build-sanitize -j "$jobs" --output-on-failure || status=1
phase "done"
exit "$status"
