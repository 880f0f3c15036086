#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test: the normal build and its
# Debian package, then the core and its tests (no desktop program, no benchmarks) again under
# AddressSanitizer + UndefinedBehaviorSanitizer, the update engine's tests under
# ThreadSanitizer, and every fuzz target for 20 seconds. ccache keeps the rebuilds of later runs short.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
jobs=$(nproc)
"$top/scripts/install-deps.sh"

export QT_QPA_PLATFORM=offscreen
export QTWEBENGINE_DISABLE_SANDBOX=1
export QTWEBENGINE_CHROMIUM_FLAGS=--disable-gpu

echo "== build"
cmake -S "$top" -B "$top/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$top/build" -j"$jobs"
echo "== tests"
ctest --test-dir "$top/build" --output-on-failure -j"$jobs"
echo "== Debian package of that build, checked"
deb=$("$top/scripts/package.sh" build)
"$top/scripts/check_package.sh" "$deb"

echo "== tests under AddressSanitizer + UndefinedBehaviorSanitizer"
cmake -S "$top" -B "$top/build-asan" -DCMAKE_BUILD_TYPE=Debug -DTARSEL_SANITIZE=address \
  -DTARSEL_BUILD_GUI=OFF -DTARSEL_BUILD_BENCH=OFF >/dev/null
cmake --build "$top/build-asan" -j"$jobs"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir "$top/build-asan" --output-on-failure -j"$jobs"

if [ -d "$top/tests/update" ]; then
  echo "== update engine under ThreadSanitizer"
  cmake -S "$top" -B "$top/build-tsan" -DCMAKE_BUILD_TYPE=Debug -DTARSEL_SANITIZE=thread \
    -DTARSEL_BUILD_GUI=OFF -DTARSEL_BUILD_BENCH=OFF >/dev/null
  cmake --build "$top/build-tsan" --target test_update -j"$jobs"
  TSAN_OPTIONS=halt_on_error=1 ctest --test-dir "$top/build-tsan" --output-on-failure -R test_update
fi
echo "== fuzz targets, 20 s each, from the checked-in corpus"
"$top/scripts/fuzz.sh" 20
echo "== all tests passed"
