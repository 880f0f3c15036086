#!/usr/bin/env bash
# Builds the Debian package tarsel_VERSION_ARCH.deb and prints its path.
#
#   scripts/package.sh                # from a clean clone: builds only the two programs, in
#                                     # build-package (no tests, no benchmarks)
#   scripts/package.sh build          # packages an existing build folder (CI: scripts/test.sh)
#
# The build folder is configured for the prefix /usr, where the package installs; that changes
# only the installed paths, so a built folder does not compile again.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/install-deps.sh"

build=${1:-$top/build-package}
case $build in /*) ;; *) build=$top/$build ;; esac
if [ -f "$build/CMakeCache.txt" ]; then
  cmake -S "$top" -B "$build" -DCMAKE_INSTALL_PREFIX=/usr >/dev/null
else
  cmake -S "$top" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_INSTALL_PREFIX=/usr \
    -DTARSEL_BUILD_GUI=ON -DTARSEL_BUILD_TESTS=OFF -DTARSEL_BUILD_BENCH=OFF >/dev/null
fi
# cpack installs after building the folder's default target, which is everything configured.
if ! cmake --build "$build" -j"$(nproc)" >"$build/package-build.log" 2>&1; then
  tail -40 "$build/package-build.log" >&2
  exit 1
fi
rm -f "$build"/tarsel_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
ls "$build"/tarsel_*.deb
