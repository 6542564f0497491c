#!/bin/sh
# Builds the Debian package of the game (build/release/orchidia_*.deb) and
# shows its control data; install it with `sudo apt install ./build/release/orchidia_*.deb`.
set -eu
ROOT=$(cd "$(dirname "$0")/.." && pwd)
cd "$ROOT"
sh scripts/setup-deps.sh package
JOBS=$(nproc 2>/dev/null || echo 2)
cmake -S . -B build/release -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build/release -j "$JOBS" --target orchidia orchidia-icons
rm -f build/release/orchidia_*.deb
(cd build/release && cpack -G DEB >/dev/null)
deb=$(ls build/release/orchidia_*.deb)
dpkg-deb --info "$deb"
# The package must name what the program needs to open its window.
depends=$(dpkg-deb --field "$deb" Depends)
for need in libqt6widgets6 libqt6multimedia6 libqt6gui6 qt6-qpa-plugins fonts-ipafont-gothic; do
  case "$depends" in
    *"$need"*) ;;
    *) echo "package.sh: $deb does not depend on $need" >&2; exit 1 ;;
  esac
done
# And hold the installed layout under /usr.
contents=$(dpkg-deb --contents "$deb")
for path in ./usr/bin/orchidia ./usr/libexec/orchidia/orchidia ./usr/share/orchidia/field1.bmp \
    ./usr/share/applications/org.orchidia.Orchidia.desktop ./usr/share/metainfo/org.orchidia.Orchidia.metainfo.xml \
    ./usr/share/icons/hicolor/256x256/apps/org.orchidia.Orchidia.png; do
  case "$contents" in
    *" $path"*) ;;
    *) echo "package.sh: $deb does not hold $path" >&2; exit 1 ;;
  esac
done
echo "Built $deb"
