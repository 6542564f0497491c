#!/bin/sh
# Installs the Debian packages that the build needs and that are missing:
# with apt-get when run as root, else through sudo.
# Usage: setup-deps.sh [game|test|package|windows|windows-test]
set -eu

PACKAGES="cmake g++ make pkg-config libgtest-dev libbenchmark-dev
  qt6-base-dev qt6-multimedia-dev libgl-dev libfontconfig-dev fonts-ipafont-gothic"
case "${1:-}" in
  test)
    # The smoke test and the screenshots run the real window on a virtual
    # display; the install test validates the desktop entry and metainfo;
    # the Debian package is built at the end.
    PACKAGES="$PACKAGES xvfb xauth desktop-file-utils appstream dpkg-dev file" ;;
  package)
    PACKAGES="$PACKAGES dpkg-dev file" ;;
  windows|windows-test)
    # The cross build needs no Qt: the native compiler for the build-time
    # converters, MinGW-w64 for the game, zip for the archive; its tests
    # build GoogleTest from Debian's source and run under Wine (with Wine's
    # own fonts and a Japanese one) on a virtual display, where the smoke
    # run clicks with xdotool and reads the pixels with ImageMagick.
    PACKAGES="cmake g++ make g++-mingw-w64-x86-64-posix zip"
    [ "$1" = windows-test ] && PACKAGES="$PACKAGES googletest wine64 fonts-wine fonts-ipafont-gothic
      xvfb xauth xdotool imagemagick" ;;
esac

missing=""
for p in $PACKAGES; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing="$missing $p"
  fi
done
[ -z "$missing" ] && exit 0

echo "Installing:$missing"
if [ "$(id -u)" -eq 0 ]; then
  SUDO=""
elif command -v sudo >/dev/null 2>&1; then
  SUDO="sudo"
else
  echo "These packages are missing and I am not root and there is no sudo:$missing" >&2
  exit 1
fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -q
# Wine comes with what it recommends (the X libraries its display driver
# loads at run time); everything else without.
rest=""
for p in $missing; do
  if [ "$p" = wine64 ]; then $SUDO apt-get install -y -q wine64; else rest="$rest $p"; fi
done
# shellcheck disable=SC2086
[ -z "$rest" ] || $SUDO apt-get install -y -q --no-install-recommends $rest
