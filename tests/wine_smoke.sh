#!/bin/sh
# Plays the first minutes of the Windows game under Wine on the X display it
# is given (xvfb-run gives one), as a player would: the title, founding, the
# scenario question, the introduction, the field map, the exchange, a stock
# on the board, and quitting through the side panel. After each step the
# window's pixels must show what that step paints.
# Usage: wine_smoke.sh <wine loader> <orchidia.exe> <source folder> <work folder>
set -eu
WINE=$1 EXE=$2 SOURCE=$3 WORK=$4
WINESERVER=$(dirname "$WINE")/wineserver
[ -x "$WINESERVER" ] || WINESERVER=wineserver
CLIENT_W=1020 CLIENT_H=685
# Wine on a loaded machine can be slow to do anything: every wait is long.
LIMIT=${ORCHIDIA_SMOKE_LIMIT:-90}

rm -rf "$WORK"
mkdir -p "$WORK/game" "$WORK/shots"
cp "$SOURCE"/assets/* "$WORK/game/"
cp "$EXE" "$WORK/game/"
export WINEPREFIX="$WORK/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
# Wine names its windows in the locale's encoding: in the C locale the
# Japanese titles the test looks for would come out as question marks.
export LC_ALL=C.UTF-8
GAME_PID=""
cleanup() {
  if [ -n "$GAME_PID" ]; then kill "$GAME_PID" 2>/dev/null || true; fi
  "$WINESERVER" -k 2>/dev/null || true
}
trap cleanup EXIT
fail() {
  echo "FAILED: $*" >&2
  echo "(screenshots in $WORK/shots, the game's output in $WORK/game.log)" >&2
  exit 1
}

# ---------------------------------------------------------------- the prefix
. "$SOURCE/scripts/wine-prefix.sh"
make_wine_prefix "$WINE" "$WORK/wineboot.log" || fail "no Wine prefix"

# ------------------------------------------------------------------- helpers
# Runs a command until it succeeds, or fails the test after LIMIT seconds.
until_ok() {
  what=$1
  shift
  deadline=$(($(date +%s) + LIMIT))
  while ! "$@"; do
    [ "$(date +%s)" -lt "$deadline" ] || fail "$what (waited ${LIMIT}s)"
    kill -0 "$GAME_PID" 2>/dev/null || fail "$what: the game has ended"
    sleep 0.5
  done
}

# The visible window of the game with this exact title.
window_named() { xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1; }
have_window() { [ -n "$(window_named "$1")" ]; }
no_window() { [ -z "$(window_named "$1")" ]; }

# Takes a shot of a window and crops its client area (W x H) to
# $WORK/shots/<name>.png: the frame's sides are equal and the menu and
# caption lie above the client area.
shot() {
  id=$1 w=$2 h=$3 name=$4
  eval "$(xdotool getwindowgeometry --shell "$id")"
  # shellcheck disable=SC2153 # WIDTH and HEIGHT come from xdotool
  side=$(((WIDTH - w) / 2))
  top=$((HEIGHT - h - side))
  import -window "$id" "$WORK/shots/$name-window.png" 2>/dev/null || return 1
  convert "$WORK/shots/$name-window.png" -crop "${w}x${h}+${side}+${top}" +repage "$WORK/shots/$name.png"
}

# pixel FILE X Y RRGGBB: the pixel is exactly that colour.
pixel() { [ "$(convert "$1" -format "%[hex:p{$2,$3}]" info:)" = "$4" ]; }

# share FILE WxH+X+Y|all RRGGBB MIN-PERCENT: at least that share of the
# region is near that colour.
share() {
  crop="-crop $2 +repage"
  [ "$2" = all ] && crop=""
  # shellcheck disable=SC2086 # the crop is two words or none
  percent=$(convert "$1" $crop -alpha off -fuzz 12% -transparent "#$3" -alpha extract -format '%[fx:int(100*(1-mean))]' info:)
  [ "$percent" -ge "$4" ]
}

# different FILE REFERENCE WxH+X+Y MAX: at most MAX pixels of the region
# differ from the reference picture.
different() {
  n=$(convert "$1" -crop "$3" +repage png:- | compare -metric AE -fuzz 3% - "$2" null: 2>&1) || true
  [ "${n%%.*}" -le "$4" ] 2>/dev/null
}

main_shot() { shot "$MAIN" $CLIENT_W $CLIENT_H "$1"; }
# click ID W H BUTTON X Y: a click at client coordinates of a window whose
# client area is W x H, placed in it as shot() finds it.
click() {
  eval "$(xdotool getwindowgeometry --shell "$1")"
  side=$(((WIDTH - $2) / 2))
  xdotool mousemove --window "$1" $(($5 + side)) $(($6 + HEIGHT - $3 - side)) click "$4"
}
click_main() { click "$MAIN" $CLIENT_W $CLIENT_H "$@"; }
# A message box takes Return as its default button (Yes, or OK): the key
# goes to the window under the pointer. Pressed again only when the box is
# still there long after, so that a slow Wine does not pass the second press
# on to the next box.
answered() {
  id=$(window_named "$1")
  [ -n "$id" ] || return 0
  xdotool mousemove --window "$id" 10 10 key Return
  waited=0
  while [ $waited -lt 20 ]; do
    no_window "$1" && return 0
    sleep 0.5
    waited=$((waited + 1))
  done
  return 1
}

# ---------------------------------------------------------------- the title
cd "$WORK/game"
"$WINE" orchidia.exe >"$WORK/game.log" 2>&1 &
GAME_PID=$!
until_ok "no window titled ORCHIDIA" have_window ORCHIDIA
MAIN=$(window_named ORCHIDIA)

# The three buttons framed in black, the first one's label, and the title
# once it has faded in to black; the side panel's blue buttons; the board black.
title_painted() {
  main_shot title && f=$WORK/shots/title.png &&
    pixel "$f" 150 225 000000 && pixel "$f" 399 277 000000 && pixel "$f" 275 205 FFFFFF &&
    share "$f" 180x22+195+215 000000 5 && share "$f" 300x50+50+100 000000 10 &&
    pixel "$f" 900 380 0000FF && pixel "$f" 900 640 0000FF && share "$f" 200x28+840+645 FFFFFF 3 &&
    pixel "$f" 1015 365 000000
}
until_ok "the title screen was not painted" title_painted

# ------------------------------------------------------- the founding dialog
click_main 1 275 225
until_ok "no founding dialog" have_window 起業
DIALOG=$(window_named 起業)
# Its prompt, and both names filled in: the company's selected (so not
# white), the president's as black text on white.
founding_painted() {
  shot "$DIALOG" 260 130 founding && f=$WORK/shots/founding.png &&
    share "$f" 236x16+12+10 000000 5 && ! share "$f" 60x18+66+39 FFFFFF 50 &&
    share "$f" 180x18+66+69 FFFFFF 50 && share "$f" 180x18+66+69 000000 5
}
until_ok "the founding dialog was not painted" founding_painted
click "$DIALOG" 260 130 1 130 110

# ------------------------------------------------- the scenario, answered yes
until_ok "no scenario question" have_window シナリオ
# A message box: some black text on it.
box_painted() {
  id=$(window_named "$1") && import -window "$id" "$WORK/shots/$2.png" 2>/dev/null &&
    share "$WORK/shots/$2.png" all 000000 1
}
until_ok "the scenario question shows no text" box_painted シナリオ question
until_ok "the scenario question stayed" answered シナリオ
until_ok "no first level's goal" have_window ベンチャー企業家
until_ok "the goal shows no text" box_painted ベンチャー企業家 goal
until_ok "the goal stayed" answered ベンチャー企業家

# ----------------------------------------------------------- the introduction
# Black lines of text, the red call to right-click, nothing left of the
# title's buttons under the blank lines, and the level in cyan on the
# company panel.
intro_painted() {
  main_shot intro && f=$WORK/shots/intro.png &&
    share "$f" 540x120+10+100 000000 5 && share "$f" 540x50+10+280 FF0000 10 &&
    share "$f" 570x41+0+329 FFFFFF 100 &&
    share "$f" 280x40+10+630 00FFFF 2
}
until_ok "the introduction was not painted" intro_painted

# ------------------------------------------------------------- the field map
click_main 3 300 100
A=$SOURCE/assets
convert "$A/field1.bmp" "$A/icon1.bmp" -geometry +430+225 -composite "$A/icon2.bmp" -geometry +460+30 -composite \
  "$A/icon3.bmp" -geometry +340+60 -composite "$A/icon4.bmp" -geometry +110+110 -composite \
  "$A/icon5.bmp" -geometry +210+10 -composite "$A/icon6.bmp" -geometry +10+150 -composite \
  "$A/icon7.bmp" -geometry +240+120 -composite "$A/icon8.bmp" -geometry +10+10 -composite \
  "$A/icon9.bmp" -geometry +120+300 -composite -crop 570x370+0+0 +repage "$WORK/field-expected.png"
# The map and its nine buildings, as the pictures are, all over the view.
field_painted() { main_shot field && different "$WORK/shots/field.png" "$WORK/field-expected.png" 570x370+0+0 2000; }
until_ok "the field map was not painted" field_painted

# ---------------------------------------------------------- the exchange
click_main 1 485 55
# The picture of the exchange, the rules of the screen, the first label,
# and white where the map's buildings were.
exchange_painted() {
  main_shot exchange && f=$WORK/shots/exchange.png &&
    different "$f" "$A/tradecenter.bmp" 276x264+10+90 1000 &&
    pixel "$f" 150 30 000000 && pixel "$f" 300 200 000000 && pixel "$f" 485 55 FFFFFF &&
    share "$f" 100x22+325+115 000000 5
}
until_ok "the exchange screen was not painted" exchange_painted

# ------------------------------------------------------ a stock on the board
# The board frames the selected row in green: row 11 after the field map,
# row 3 once it is clicked.
row_selected() {
  main_shot "board$1" && f=$WORK/shots/board$1.png && y=$((12 * $1 + 14)) &&
    pixel "$f" 578 "$y" 00FF00 && pixel "$f" 657 "$y" 00FF00 && ! pixel "$f" 578 $((12 * $2 + 14)) 00FF00
}
until_ok "row 11 of the board is not selected" row_selected 11 3
click_main 1 585 51
until_ok "the click did not select row 3 of the board" row_selected 3 11

# ------------------------------------------------------- quitting the game
click_main 1 920 655
until_ok "no question before quitting" have_window 確認
until_ok "the quit question shows no text" box_painted 確認 quit
until_ok "the quit question stayed" answered 確認
deadline=$(($(date +%s) + LIMIT))
while kill -0 "$GAME_PID" 2>/dev/null; do
  [ "$(date +%s)" -lt "$deadline" ] || fail "the game did not end after Yes to quitting"
  sleep 0.5
done
status=0
wait "$GAME_PID" || status=$?
GAME_PID=""
[ "$status" -eq 0 ] || fail "the game ended with status $status"
for stray in "$WORK"/game/save*.dat; do
  [ -e "$stray" ] && fail "the game wrote $stray unasked"
done
echo "The Windows game played through title, founding, field map, exchange and board, and quit."
