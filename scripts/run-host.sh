#!/usr/bin/env bash
# The main job: builds the module and the spooler stand-in, then lets the
# stand-in load the module and drive it through its exports.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQV_BUILD_TESTS=OFF
cmake --build build-release -j "$(nproc)" --target qvhost qvui
./build-release/qvhost ./build-release/libqvui.so "$@"
