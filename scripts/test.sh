#!/usr/bin/env bash
# Builds and runs every check; exits non-zero on any failure:
# - build-sanitize/ (g++, AddressSanitizer + UndefinedBehaviorSanitizer,
#   warnings as errors, unity batches): every test suite, the layering check,
#   the formatting check, the check that the committed fuzz seeds are current
#   and the replay of every fuzz target's seeds;
# - build-tsan/ (g++, ThreadSanitizer, warnings as errors): only the stress
#   test of the exports (test_stress, which loads the module and its resource
#   library), run with halt_on_error.
# Fuzzing with libFuzzer (clang) is scripts/fuzz.sh's.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
jobs=$(nproc)
phase() { echo "== $1 (${SECONDS}s since start)"; }

phase "build-sanitize: configure and build"
cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=Sanitize -DQV_BUILD_BENCHMARKS=ON \
    -DQV_WARNINGS_AS_ERRORS=ON -DQV_UNITY_BUILD=ON
cmake --build build-sanitize -j "$jobs"

phase "build-tsan: configure and build the stress test"
cmake -S . -B build-tsan -G Ninja -DCMAKE_BUILD_TYPE=Tsan -DQV_WARNINGS_AS_ERRORS=ON -DQV_UNITY_BUILD=ON
cmake --build build-tsan -j "$jobs" --target test_stress

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
status=0
phase "stress test under ThreadSanitizer"
TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1 ./build-tsan/test_stress --gtest_brief=1 || status=1
# The suites last, so that their summary closes the output.
phase "suites and checks"
ctest --test-dir build-sanitize -j "$jobs" --output-on-failure || status=1
phase "done"
exit "$status"
