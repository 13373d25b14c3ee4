#!/usr/bin/env bash
# Builds everything and starts the program on a new default document.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
bash scripts/build.sh build

# A document named on the command line is opened; otherwise the program starts on a new one.
if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    echo "No display found: starting lh740 under Xvfb (xvfb-run)." >&2
    exec xvfb-run -a -s "-screen 0 1280x1024x24" build/bin/lh740 "$@"
fi
exec build/bin/lh740 "$@"
