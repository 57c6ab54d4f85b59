#!/usr/bin/env bash
# Our speed beside a peer library's, as ratios against their goals. Builds the
# Release benchmarks in build-release/, then for each ratio runs our benchmark
# and the peer's in turn (ours, peer, ours, peer, ...), each in a process of its
# own, REPS times (default 5), and prints the median of ours/peer over those
# pairs, the goal (the largest ratio allowed) and whether it meets it.
# Usage: bash bench/ratios.sh [REPS]
set -euo pipefail
cd "$(dirname "$0")/.."
reps=${1:-5}

# One line per ratio: name | program | our benchmark | the peer's benchmark | goal
ratios=(
    "disk B-tree inserts vs SQLite|DiskBTreeBench|BM_DiskBTreeInsert|BM_SQLiteInsert|6"
    "disk B-tree lookups vs SQLite|DiskBTreeBench|BM_DiskBTreeLookup|BM_SQLiteLookup|5"
    "DC_PAPERS vs zlib uncompress of 902 bytes|DeviceCapabilitiesBench|BM_DeviceCapabilitiesPapers|BM_ZlibUncompress902|3"
    "DC_PAPERNAMES vs zlib uncompress of 902 bytes|DeviceCapabilitiesBench|BM_DeviceCapabilitiesPaperNames|BM_ZlibUncompress902|5"
    "DC_BINNAMES vs zlib uncompress of 902 bytes|DeviceCapabilitiesBench|BM_DeviceCapabilitiesBinNames|BM_ZlibUncompress902|5"
    "DEVMODE store + load vs zlib compress + uncompress|DevModeBench|BM_DevModeStoreAndLoad|BM_ZlibOfTheSamePlaintext|1.5"
)

programs=$(for line in "${ratios[@]}"; do cut -d'|' -f2 <<<"$line"; done | sort -u)
log=build-release/ratios-build.log
mkdir -p build-release
echo "Building $(echo $programs) in build-release/ (log: $log) ..." >&2
if ! { cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release -DQV_BUILD_BENCHMARKS=ON &&
    cmake --build build-release -j "${JOBS:-$(nproc)}" --target $programs; } >"$log" 2>&1; then
    tail -n 40 "$log" >&2
    exit 1
fi

# Seconds per iteration of one benchmark of a program.
seconds() {
    "build-release/$1" --benchmark_filter="^$2\$" --benchmark_format=json 2>/dev/null |
        jq -er '.benchmarks[0] | if .error_occurred then error(.error_message)
                else .real_time * {"ns": 1e-9, "us": 1e-6, "ms": 1e-3, "s": 1}[.time_unit] end'
}

for line in "${ratios[@]}"; do
    IFS='|' read -r name program ours peer goal <<<"$line"
    pairs=()
    for ((i = 0; i < reps; i++)); do
        mine=$(seconds "$program" "$ours")
        theirs=$(seconds "$program" "$peer")
        pairs+=("$(awk -v a="$mine" -v b="$theirs" 'BEGIN { print a / b }')")
    done
    printf '%s\n' "${pairs[@]}" | sort -g | awk -v name="$name" -v goal="$goal" '
        { r[NR] = $1 }
        END {
            median = NR % 2 ? r[(NR + 1) / 2] : (r[NR / 2] + r[NR / 2 + 1]) / 2
            printf "%-52s %7.2f  goal %-4s %s\n", name, median, goal, median <= goal ? "meets" : "misses"
        }'
done
