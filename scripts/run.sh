#!/bin/sh
# Builds the game and starts it in its own folder (run/, ignored by git),
# where it finds its pictures and sounds and keeps its save files.
set -eu
ROOT=$(cd "$(dirname "$0")/.." && pwd)
cd "$ROOT"
sh scripts/setup-deps.sh game
JOBS=$(nproc 2>/dev/null || echo 2)
cmake -S . -B build/release -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build/release -j "$JOBS" --target orchidia
mkdir -p run
# The pictures and sounds are read from the working directory: linked, as
# the installed launcher does, so a file put there by hand is left alone.
for f in "$ROOT"/assets/*.bmp "$ROOT"/assets/*.wav; do
  [ -e "$f" ] || continue
  name=${f##*/}
  if [ -L "run/$name" ] || [ ! -e "run/$name" ]; then
    ln -sfn "$f" "run/$name"
  fi
done
cd run
exec ../build/release/orchidia "$@"
