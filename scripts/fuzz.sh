#!/usr/bin/env bash
# Builds the fuzz targets (clang, libFuzzer, ASan, UBSan) in build-fuzz and runs each for
# SECONDS (default 25) from a copy of its seed corpus: scripts/fuzz.sh [SECONDS]; 0 only builds
# them (libFuzzer itself would take 0 as "no limit").
# Fails when a target crashes, leaks, hangs or breaks one of its checks; the input that did it
# is left in build-fuzz/findings/TARGET/.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-25}
cxx=${LH740_FUZZ_CXX:-clang++-16}

cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER="$cxx" \
    -DLH740_FUZZ=ON -DLH740_TESTS=OFF >/dev/null
cmake --build build-fuzz -j "$(nproc)"
[ "$seconds" -gt 0 ] || exit 0

# Stack traces with file and line.
export ASAN_SYMBOLIZER_PATH=${ASAN_SYMBOLIZER_PATH:-/usr/lib/llvm-16/bin/llvm-symbolizer}
status=0
for source in tests/fuzz/*.cpp; do
    target=$(basename "$source" .cpp)
    work=build-fuzz/run/$target
    findings=build-fuzz/findings/$target
    rm -rf "$work" && mkdir -p "$work/corpus" "$findings"
    # libFuzzer adds what it finds to its first corpus folder: never the checked-in one.
    cp tests/fuzz/corpus/"$target"/* "$work/corpus/"
    echo "== $target: ${seconds} s"
    if ! ASAN_OPTIONS=detect_leaks=1 build-fuzz/bin/"$target" "$work/corpus" \
        -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
        -artifact_prefix="$findings/" >"$work/log" 2>&1; then
        echo "$target FAILED; input in $findings, log:"
        tail -n 60 "$work/log"
        status=1
    else
        grep -E 'DONE|stat::number_of_executed_units' "$work/log" || true
    fi
done
exit $status
