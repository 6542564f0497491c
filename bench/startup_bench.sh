#!/bin/sh
# Start-up of the game to its first painted title against a bare Qt window of
# the same size, alternately in fresh processes, and the game's CPU load while
# idle on the field map. Usage: startup_bench.sh BENCH_BINARY [RUNS] [IDLE_SECONDS]
# Run in a folder holding the pictures (the game loads them at start-up).
set -eu
BIN=$1
RUNS=${2:-9}
IDLE=${3:-10}
median() { sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }
bare=""; game=""
i=0
while [ "$i" -lt "$RUNS" ]; do
  bare="$bare $("$BIN" bare)"
  game="$game $("$BIN" game)"
  i=$((i + 1))
done
b=$(echo $bare | tr ' ' '\n' | median)
g=$(echo $game | tr ' ' '\n' | median)
echo "start-up to first paint, median of $RUNS: bare window $b ms, game title $g ms, ratio $(echo "$g $b" | awk '{printf "%.2f", $1/$2}')"
echo "panel paints into the window surfaces:"
"$BIN" paint 200
echo "idle on the field map: $("$BIN" idle "$IDLE") % of one core over $IDLE s"
