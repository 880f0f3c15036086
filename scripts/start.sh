#!/usr/bin/env bash
# Installs what is missing, builds Tarsel and starts the desktop program.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/install-deps.sh"
cmake -S "$top" -B "$top/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$top/build" --target tarsel tarsel-cli -j"$(nproc)"
# Qt WebEngine refuses its sandbox as root.
[ "$(id -u)" -eq 0 ] && export QTWEBENGINE_DISABLE_SANDBOX=1
exec "$top/build/bin/tarsel" "$@"
