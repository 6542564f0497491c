#!/bin/sh
# Start-up of the Windows game to its first painted title against a bare
# window of the same outer size, alternately in fresh processes under one
# Wine prefix and one virtual display, and the game's CPU load while idle on
# the field map. The programs time their own paint (bench/win32_startup_bench.cpp);
# this script adds the time from launch, Wine's own start-up included.
# Usage: win32_startup_bench.sh BENCH_EXE [RUNS] [IDLE_SECONDS]
# Environment: WINE (the loader, /usr/lib/wine/wine64 by default), WORK (a
# scratch folder).
set -eu
ROOT=$(cd "$(dirname "$0")/.." && pwd)
BIN=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
RUNS=${2:-9}
IDLE=${3:-10}
WINE=${WINE:-/usr/lib/wine/wine64}
WORK=${WORK:-$ROOT/build/windows/startup-bench}
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24" sh "$0" "$@"
fi
WINESERVER=$(dirname "$WINE")/wineserver
[ -x "$WINESERVER" ] || WINESERVER=wineserver

rm -rf "$WORK"
mkdir -p "$WORK/game"
cp "$ROOT"/assets/* "$BIN" "$WORK/game/"
EXE=$(basename "$BIN")
export WINEPREFIX="$WORK/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
trap '"$WINESERVER" -k 2>/dev/null || true' EXIT
. "$ROOT/scripts/wine-prefix.sh"
make_wine_prefix "$WINE" "$WORK/wineboot.log"
# The server stays up between the runs, so that no run pays for starting it.
"$WINESERVER" -w
"$WINESERVER" -p
cd "$WORK/game"

now_ms() { echo $(($(date +%s%N) / 1000000)); }
median() { tr ' ' '\n' | grep . | sort -n | awk '{a[NR]=$1} END {m=int((NR+1)/2); print (NR%2 ? a[m] : (a[m]+a[m+1])/2)}'; }
# run MODE: "<ms from main()> <ms from launch>" of one fresh process.
run() {
  t0=$(now_ms)
  "$WINE" "$EXE" "$1" 2>>"$WORK/runs.log" | awk -v t0="$t0" 'NF == 2 {printf "%.1f %.1f\n", $1, $2 - t0}'
}

# One run of each first, not counted: the files come into the cache.
run bare >/dev/null
run game >/dev/null
bare_main="" bare_launch="" game_main="" game_launch=""
i=0
while [ "$i" -lt "$RUNS" ]; do
  b=$(run bare) g=$(run game)
  [ -n "$b" ] && [ -n "$g" ] || { echo "a run printed nothing" >&2; exit 1; }
  bare_main="$bare_main ${b% *}" bare_launch="$bare_launch ${b#* }"
  game_main="$game_main ${g% *}" game_launch="$game_launch ${g#* }"
  i=$((i + 1))
done
ratio() { echo "$1 $2" | awk '{printf "%.2f", $1 / $2}'; }
bm=$(echo "$bare_main" | median) bl=$(echo "$bare_launch" | median)
gm=$(echo "$game_main" | median) gl=$(echo "$game_launch" | median)
echo "start-up to first paint under Wine, median of $RUNS:"
echo "  from launch: bare window $bl ms, game title $gl ms, ratio $(ratio "$gl" "$bl")"
echo "  from main(): bare window $bm ms, game title $gm ms"

# The server's CPU ticks: it does the drawing the programs ask of X.
server_ticks() {
  for d in /proc/[0-9]*; do
    case "$(cat "$d/comm" 2>/dev/null)" in wineserver*) ;; *) continue ;; esac
    grep -qz "^WINEPREFIX=$WINEPREFIX\$" "$d/environ" 2>/dev/null || continue
    # utime and stime, fields 14 and 15, counted after the name in parentheses.
    sed 's/.*) //' "$d/stat" | awk '{print $12 + $13}'
    return
  done
  echo 0
}
"$WINE" "$EXE" idle "$IDLE" >"$WORK/idle.out" 2>"$WORK/idle.log" &
IDLE_PID=$!
until grep -q measuring "$WORK/idle.out" 2>/dev/null; do
  kill -0 "$IDLE_PID" 2>/dev/null || { echo "the idle run ended early" >&2; exit 1; }
  sleep 0.05
done
s0=$(server_ticks) t0=$(now_ms)
wait "$IDLE_PID"
s1=$(server_ticks) t1=$(now_ms)
echo "idle on the field map for $IDLE s: the game $(tail -n 1 "$WORK/idle.out") % of one core," \
  "Wine's server $(echo "$s0 $s1 $t0 $t1 $(getconf CLK_TCK)" | awk '{printf "%.1f", 100 * ($2 - $1) / $5 / (($4 - $3) / 1000)}') %"
