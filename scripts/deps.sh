#!/usr/bin/env bash
# Installs the Debian packages the build needs, only those that are missing.
set -euo pipefail
# clang with its libFuzzer runtime builds the fuzz targets; clang-format checks the formatting.
packages=(cmake g++ ninja-build pkg-config libgtest-dev libgmock-dev libbenchmark-dev zlib1g-dev
          libjpeg62-turbo-dev libsqlite3-dev clang libclang-rt-14-dev clang-format libfreetype-dev libpng-dev
          fonts-dejavu-core
          rapidjson-dev # the host program's tests read its JSON answers with it
          libcereal-dev) # cereal: benchmark comparison only (bench/PersistenceBench.cpp)
# One query for all of them: a package dpkg does not know is left out (and
# named on stderr), one it knows but has not installed shows another status.
declare -A installed=()
while read -r name status; do
    if [ "$status" = "install ok installed" ]; then installed[$name]=1; fi
done < <(dpkg-query -W -f='${Package} ${Status}\n' "${packages[@]}" 2>/dev/null || true)
missing=()
for p in "${packages[@]}"; do
    [ -n "${installed[$p]:-}" ] || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    SUDO=""; [ "$(id -u)" -ne 0 ] && SUDO="sudo"
    $SUDO apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq "${missing[@]}"
fi
