#!/usr/bin/env bash
# Builds everything and runs every test: once plain, once under AddressSanitizer and
# UndefinedBehaviorSanitizer; then the threaded tests under ThreadSanitizer and the fuzz targets
# for a short while.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh

export QT_QPA_PLATFORM=offscreen
bash scripts/build.sh build
(cd build && ctest --output-on-failure -j "$(nproc)")
# The Debian package of that tree: its contents and lintian (a few seconds).
bash scripts/package.sh build

bash scripts/build.sh build-asan -DLH740_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
(cd build-asan && ctest --output-on-failure -j "$(nproc)")

# The threaded tests once more under ThreadSanitizer.
bash scripts/tsan.sh

# The fuzz targets, each from its seed corpus for a short while.
bash scripts/fuzz.sh "${LH740_FUZZ_SECONDS:-20}"
