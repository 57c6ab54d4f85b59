#!/usr/bin/env bash
# Fuzzes every libFuzzer target (fuzz/*Fuzz.cpp) from its committed seeds:
#   bash scripts/fuzz.sh [SECONDS]      each target for SECONDS (default 60)
# Builds the targets with clang in build-fuzz/ (libFuzzer, AddressSanitizer +
# UndefinedBehaviorSanitizer, warnings as errors) and runs them with ctest;
# what a run finds goes to build-fuzz/fuzz-work/<target>/findings/, and a
# finding fails the run. The test command replays the seeds on every change;
# this is the longer search for new inputs.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
seconds=${1:-60}
jobs=$(nproc)
cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=Sanitize -DCMAKE_C_COMPILER=clang \
    -DCMAKE_CXX_COMPILER=clang++ -DQV_BUILD_FUZZERS=ON -DQV_BUILD_TESTS=OFF -DQV_WARNINGS_AS_ERRORS=ON \
    -DQV_FUZZ_SECONDS="$seconds" -DQV_UNITY_BUILD=ON
cmake --build build-fuzz -j "$jobs" --target qv_fuzzers
ctest --test-dir build-fuzz -j "$jobs" --output-on-failure
