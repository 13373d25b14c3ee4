#!/usr/bin/env bash
# Builds everything and starts the program on a new default document.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
bash scripts/build.sh build

# Until the desktop program exists, the command-line tool creates a new document and shows it.
doc="${TMPDIR:-/tmp}/lh740-new.dat"
build/bin/lh740ctl new --force "$doc"
echo "New document: $doc"
build/bin/lh740ctl dump "$doc"
