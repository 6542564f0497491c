#!/bin/sh
# Cross-builds the Windows game with MinGW-w64 into build/windows and packs
# build/windows/orchidia-<version>-windows-x64.zip (the program, its pictures
# and sounds, a read-me). With --test the tests are cross-built too and run
# under Wine. Usage: build-windows.sh [--test]
set -eu
ROOT=$(cd "$(dirname "$0")/.." && pwd)
cd "$ROOT"
TEST=OFF
[ "${1:-}" = "--test" ] && TEST=ON
if [ "$TEST" = ON ]; then sh scripts/setup-deps.sh windows-test; else sh scripts/setup-deps.sh windows; fi
JOBS=${JOBS:-$(nproc 2>/dev/null || echo 2)}
VERSION=$(sed -n 's/^project(Orchidia VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)

echo "== build-time tools (native)"
cmake -S . -B build/host-tools -DCMAKE_BUILD_TYPE=Release -DORCHIDIA_BUILD_TESTS=OFF \
  -DORCHIDIA_BUILD_BENCHMARKS=OFF -DORCHIDIA_BUILD_GAME=OFF >/dev/null
cmake --build build/host-tools -j "$JOBS" --target orchidia-textgen orchidia-icongen

echo "== the game for Windows (MinGW-w64)"
cmake -S . -B build/windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake -DCMAKE_BUILD_TYPE=Release \
  -DORCHIDIA_BUILD_BENCHMARKS=OFF -DORCHIDIA_BUILD_TESTS="$TEST" \
  -DORCHIDIA_HOST_TEXTGEN="$ROOT/build/host-tools/orchidia-textgen" >/dev/null
cmake --build build/windows -j "$JOBS" --target orchidia
if [ "$TEST" = ON ]; then
  echo "== tests under Wine"
  cmake --build build/windows -j "$JOBS"
  (cd build/windows && ctest --output-on-failure)
  echo "== start-up against a bare window, and idle load, under Wine (figures only)"
  cmake --build build/windows -j "$JOBS" --target orchidia_win32_startup_bench
  # Figures, not a test: a run that Wine fails to finish is reported, not fatal.
  timeout 300 sh bench/win32_startup_bench.sh build/windows/orchidia_win32_startup_bench.exe 5 5 ||
    echo "WARNING: the Windows start-up benchmark did not finish; no figures this time"
fi

echo "== archive"
NAME="orchidia-$VERSION"
ZIP="$ROOT/build/windows/$NAME-windows-x64.zip"
STAGE="$ROOT/build/windows/package"
rm -rf "$STAGE" "$ZIP"
mkdir -p "$STAGE/$NAME"
cp build/windows/orchidia.exe "$STAGE/$NAME/"
cp assets/*.bmp assets/*.wav "$STAGE/$NAME/"
# The read-me as Notepad reads it everywhere: UTF-8 marked as such, CRLF lines.
{ printf '\357\273\277'; sed 's/$/\r/' packaging/windows/README.txt; } > "$STAGE/$NAME/README.txt"
(cd "$STAGE" && zip -q -r -X "$ZIP" "$NAME")
if command -v unzip >/dev/null 2>&1; then unzip -l "$ZIP"; fi
echo "Built $ZIP"
