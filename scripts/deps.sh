#!/usr/bin/env bash
# Installs the Debian packages the build needs, only those that are missing.
set -euo pipefail
# clang with its libFuzzer runtime builds the fuzz targets; clang-format checks the formatting.
packages=(cmake g++ ninja-build pkg-config libgtest-dev libgmock-dev libbenchmark-dev zlib1g-dev
          libjpeg62-turbo-dev libsqlite3-dev clang libclang-rt-14-dev clang-format libfreetype-dev libpng-dev
          fonts-dejavu-core
          rapidjson-dev # the host program's tests read its JSON answers with it
          libcereal-dev) # cereal: benchmark comparison only (bench/PersistenceBench.cpp)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    SUDO=""; [ "$(id -u)" -ne 0 ] && SUDO="sudo"
    $SUDO apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq "${missing[@]}"
fi
