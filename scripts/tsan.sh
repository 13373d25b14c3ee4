#!/usr/bin/env bash
# Builds the tests where threads meet (the link, the simulated radio end to end, the desktop
# program's transfers) with ThreadSanitizer in build-tsan and runs them: scripts/tsan.sh
set -euo pipefail
cd "$(dirname "$0")/.."
targets=(test_link test_e2e test_ui_TransferTest)
cmake -S . -B build-tsan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DLH740_TSAN=ON >/dev/null
cmake --build build-tsan -j "$(nproc)" --target "${targets[@]}"

state=$(mktemp -d)
trap 'rm -rf "$state"' EXIT
export QT_QPA_PLATFORM=offscreen XDG_STATE_HOME=$state
# A long history, so both stacks of a report are shown.
export TSAN_OPTIONS="halt_on_error=1 history_size=7 second_deadlock_stack=1 suppressions=$PWD/tests/tsan.supp"
for target in "${targets[@]}"; do
    echo "== $target"
    build-tsan/bin/"$target"
done
