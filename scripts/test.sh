#!/bin/sh
# Builds everything and runs the whole test suite: the release build with
# warnings as errors, then the core tests and the soak under AddressSanitizer
# and UndefinedBehaviorSanitizer, then a short run of the benchmarks, the
# Debian package, and the Windows build with its tests under Wine.
set -eu
ROOT=$(cd "$(dirname "$0")/.." && pwd)
cd "$ROOT"
sh scripts/setup-deps.sh test
JOBS=$(nproc 2>/dev/null || echo 2)

echo "== release build and tests"
cmake -S . -B build/release -DCMAKE_BUILD_TYPE=RelWithDebInfo -DORCHIDIA_WERROR=ON >/dev/null
cmake --build build/release -j "$JOBS"
(cd build/release && ctest --output-on-failure -j "$JOBS")

echo "== sanitizer build (address, undefined) and core tests"
cmake -S . -B build/sanitize -DCMAKE_BUILD_TYPE=Debug -DORCHIDIA_SANITIZE=ON -DORCHIDIA_WERROR=ON \
  -DORCHIDIA_BUILD_BENCHMARKS=OFF -DORCHIDIA_BUILD_GAME=OFF >/dev/null
cmake --build build/sanitize -j "$JOBS" --target orchidia_core_tests orchidia_shell_tests orchidia_dialog_tests orchidia_influence_tests orchidia-sim
(cd build/sanitize && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --output-on-failure -j "$JOBS" -L 'core|sim')

if [ -x build/release/bench/orchidia_bench ]; then
  echo "== benchmarks (short run; figures only, nothing is asserted)"
  build/release/bench/orchidia_bench --benchmark_min_time=0.05
  build/release/bench/orchidia_display_bench --benchmark_min_time=0.05
  build/release/bench/orchidia_influence_bench --benchmark_min_time=0.05
  (cd build/release && bench/orchidia_sim_bench --benchmark_min_time=0.05)
fi
if [ -x build/release/orchidia_startup_bench ]; then
  echo "== the window: start-up against a bare Qt window, paints, idle load"
  mkdir -p build/release/bench-run
  cp assets/* build/release/bench-run/ 2>/dev/null || true
  (cd build/release/bench-run && QT_QPA_PLATFORM=offscreen \
    timeout 300 sh "$ROOT/bench/startup_bench.sh" "$ROOT/build/release/orchidia_startup_bench" 5 3 2>/dev/null)
fi
echo "== the Debian package"
sh scripts/package.sh
echo "== the Windows build: its tests and a smoke run of the game under Wine"
windows_start=$(date +%s)
JOBS=$JOBS sh scripts/build-windows.sh --test
echo "(the Windows build and its tests took $(($(date +%s) - windows_start)) s)"
echo "All tests passed."
