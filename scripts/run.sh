#!/bin/sh
# Builds the game and starts it.
set -eu
ROOT=$(cd "$(dirname "$0")/.." && pwd)
cd "$ROOT"
sh scripts/setup-deps.sh game
JOBS=$(nproc 2>/dev/null || echo 2)
cmake -S . -B build/release -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build/release -j "$JOBS"
mkdir -p run
cd run
# Until the window exists, the game runs headless: start-up and 60 market days.
exec ../build/release/orchidia-sim --ticks 60 "$@"
