#!/bin/sh
# install_check.sh BUILD_DIR: installs the game into a temporary prefix,
# checks every installed file, validates the desktop entry and the
# metainfo, then starts the installed launcher for a few seconds in a
# temporary home and checks that it made the player's game folder with the
# pictures and sounds and wrote nothing anywhere else.
set -eu
BUILD=$1
TMP=$(mktemp -d)
trap 'rm -rf "$TMP"' EXIT
PREFIX=$TMP/prefix
fail() { echo "install check: $*" >&2; exit 1; }

cmake --install "$BUILD" --prefix "$PREFIX" >/dev/null || fail "cmake --install failed"

ASSETS="bankrupt.wav bug1.bmp bug1mask.bmp cho.wav field1.bmp icon1.bmp icon2.bmp icon3.bmp
  icon4.bmp icon5.bmp icon6.bmp icon7.bmp icon8.bmp icon9.bmp ministage1.bmp opening.wav tab.wav
  tradecenter.bmp unit.bmp yakutei.wav"
SIZES="16 32 48 64 128 256"
APP=org.orchidia.Orchidia
{
  echo bin/orchidia
  echo libexec/orchidia/orchidia
  for a in $ASSETS; do echo "share/orchidia/$a"; done
  echo "share/applications/$APP.desktop"
  echo "share/metainfo/$APP.metainfo.xml"
  for s in $SIZES; do echo "share/icons/hicolor/${s}x${s}/apps/$APP.png"; done
  echo share/doc/orchidia/README.md
} | sort >"$TMP/expected"
(cd "$PREFIX" && find . ! -type d | sed 's|^\./||' | sort) >"$TMP/installed"
diff "$TMP/expected" "$TMP/installed" >"$TMP/diff" || { cat "$TMP/diff" >&2; fail "installed files differ from the list (< missing, > unexpected)"; }

[ -x "$PREFIX/bin/orchidia" ] || fail "the launcher is not executable"
[ -x "$PREFIX/libexec/orchidia/orchidia" ] || fail "the program is not executable"
for a in $ASSETS; do
  cmp -s "$PREFIX/share/orchidia/$a" "$(dirname "$0")/../assets/$a" || fail "$a differs from the game's assets"
done
# Each icon is a PNG of its size (width and height in the header).
for s in $SIZES; do
  png="$PREFIX/share/icons/hicolor/${s}x${s}/apps/$APP.png"
  [ "$(head -c 8 "$png" | od -An -tx1 | tr -d ' \n')" = "89504e470d0a1a0a" ] || fail "$png is not a PNG"
  w=$(od -An -j16 -N4 -tu1 "$png" | awk '{print $1*16777216+$2*65536+$3*256+$4}')
  h=$(od -An -j20 -N4 -tu1 "$png" | awk '{print $1*16777216+$2*65536+$3*256+$4}')
  [ "$w" = "$s" ] && [ "$h" = "$s" ] || fail "$png is $w x $h, not $s x $s"
done

desktop-file-validate "$PREFIX/share/applications/$APP.desktop" || fail "desktop-file-validate"
appstreamcli validate --no-net "$PREFIX/share/metainfo/$APP.metainfo.xml" >"$TMP/as.log" 2>&1 \
  || { cat "$TMP/as.log" >&2; fail "appstreamcli validate"; }
grep -q "^Name\[ja\]=オルキディア$" "$PREFIX/share/applications/$APP.desktop" || fail "no Japanese name"
grep -q "^Exec=orchidia$" "$PREFIX/share/applications/$APP.desktop" || fail "the entry does not start the launcher"

# Runs the installed launcher from an empty folder in a fresh home for a few
# seconds; the game runs until the time limit stops it.
run_game() {
  mkdir -p "$TMP/start"
  rc=0
  (cd "$TMP/start" && env -u XDG_CONFIG_HOME -u XDG_CACHE_HOME HOME="$TMP/home" "$@" \
    QT_QPA_PLATFORM=offscreen timeout 4 "$PREFIX/bin/orchidia" >"$TMP/run.log" 2>&1) || rc=$?
  [ "$rc" = 124 ] || { cat "$TMP/run.log" >&2; fail "the installed game ended with $rc within 4 seconds"; }
}
check_folder() {
  folder=$1
  for a in $ASSETS; do
    [ -L "$folder/$a" ] || fail "$folder/$a is not a link to the installed file"
    [ "$(readlink -f "$folder/$a")" = "$(readlink -f "$PREFIX/share/orchidia/$a")" ] || fail "$folder/$a points elsewhere"
  done
}

(cd "$PREFIX" && find . | sort) >"$TMP/prefix-before"
mkdir -p "$TMP/home"
run_game env -u XDG_DATA_HOME
FOLDER=$TMP/home/.local/share/orchidia
check_folder "$FOLDER"
[ -z "$(ls -A "$TMP/start")" ] || fail "the game wrote into the folder it was started from: $(ls -A "$TMP/start")"
(cd "$PREFIX" && find . | sort) >"$TMP/prefix-after"
cmp -s "$TMP/prefix-before" "$TMP/prefix-after" || fail "the game wrote into its installation"
# Nothing else in the home but the game folder (and what the audio system
# and the font library keep of their own).
stray=$(cd "$TMP/home" && find . ! -type d | grep -v -e '^\./\.local/share/orchidia/' -e '^\./\.config/pulse/' -e '^\./\.cache/' || true)
[ -z "$stray" ] || fail "stray files in the home: $stray"
[ "$(ls -A "$FOLDER" | wc -l)" = 20 ] || fail "the game folder holds more than the pictures and sounds: $(ls -A "$FOLDER")"

# A start leaves the links that are already right alone (a read-only game
# folder must still start), and a link it cannot make does not stop the game.
before=$(stat -c %i "$FOLDER/tab.wav")
chmod a-w "$FOLDER"
run_game env -u XDG_DATA_HOME
chmod u+w "$FOLDER"
[ "$(stat -c %i "$FOLDER/tab.wav")" = "$before" ] || fail "a start made the links again"
rm "$FOLDER/tab.wav"
printf '#!/bin/sh\nexit 1\n' >"$TMP/ln" && chmod +x "$TMP/ln"
run_game env -u XDG_DATA_HOME PATH="$TMP:$PATH"
grep -q "cannot link tab.wav" "$TMP/run.log" || fail "a link that could not be made was not reported"
run_game env -u XDG_DATA_HOME
check_folder "$FOLDER"

# A save the player made and a picture of his own survive the next start.
printf 'saved\r\n' >"$FOLDER/save1.dat"
rm "$FOLDER/field1.bmp"
cp "$(dirname "$0")/../assets/field1.bmp" "$FOLDER/field1.bmp"
run_game env -u XDG_DATA_HOME
[ "$(cat "$FOLDER/save1.dat")" = "$(printf 'saved\r')" ] || fail "the save file did not survive a start"
[ -f "$FOLDER/field1.bmp" ] && [ ! -L "$FOLDER/field1.bmp" ] || fail "the player's own picture was replaced"

# XDG_DATA_HOME names the folder when it is set.
run_game XDG_DATA_HOME="$TMP/xdg"
check_folder "$TMP/xdg/orchidia"
echo "install check: $(wc -l <"$TMP/installed") files installed and checked; the launcher made its folder"
