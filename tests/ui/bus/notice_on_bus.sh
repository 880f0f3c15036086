#!/usr/bin/env bash
# Starts the desktop program under Xvfb with its own session bus, lets it fetch one feed from a
# loopback server, and reads the window and the pop-up notice through the accessibility bus.
#   notice_on_bus.sh TARSEL TARSEL_CLI [LANG NOTICE]
# With LANG ru_RU.UTF-8 every name heard must be Russian.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
if [ -z "${TARSEL_ON_BUS:-}" ]; then
  export TARSEL_ON_BUS=1
  exec dbus-run-session -- xvfb-run -a -s "-screen 0 1280x900x24" bash "$0" "$@"
fi
tarsel=$1 cli=$2 language=${3:-C.UTF-8} notice=${4:-'"Alpha" updated (2 new records)'}
work=$(mktemp -d "${TMPDIR:-/tmp}/tarsel-bus-XXXXXX")
app= server=
# Every step runs even when the program is already gone (a crash must not leave the server).
cleanup() {
  if [ -n "$app" ]; then kill "$app" 2>/dev/null || true; fi
  if [ -n "$server" ]; then kill "$server" 2>/dev/null || true; fi
  wait 2>/dev/null || true
  if [ -z "${KEEP_BUS_WORK:-}" ]; then rm -rf "$work"; fi
}
trap cleanup EXIT
mkdir -p "$work/feeds" "$work/data" "$work/config"
cat >"$work/feeds/alpha.xml" <<'FEED'
<?xml version="1.0"?>
<rss version="2.0"><channel><title>Alpha</title><link>http://example.com/</link>
<description>A feed</description>
<item><title>One</title><link>http://example.com/1</link><description>first</description></item>
<item><title>Two</title><link>http://example.com/2</link><description>second</description></item>
</channel></rss>
FEED
port=$(python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
python3 -m http.server --bind 127.0.0.1 --directory "$work/feeds" "$port" >/dev/null 2>&1 &
server=$!
export XDG_DATA_HOME=$work/data XDG_CONFIG_HOME=$work/config no_proxy='*' NO_PROXY='*'
# A column never fetched is due at once, so the program's start brings the notice.
"$cli" add "http://127.0.0.1:$port/alpha.xml" >/dev/null
sleep 0.5
unset QT_QPA_PLATFORM
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 LANG=$language
# The web engine's sandbox cannot run as root; headless it needs no GPU.
[ "$(id -u)" = 0 ] && export QTWEBENGINE_DISABLE_SANDBOX=1
export QTWEBENGINE_CHROMIUM_FLAGS=${QTWEBENGINE_CHROMIUM_FLAGS:---disable-gpu}
"$tarsel" >"$work/tarsel.log" 2>&1 &
app=$!
[ "${language#ru}" != "$language" ] && export BUS_SCRIPT=cyrillic
/usr/bin/python3 "$here/watch_bus.py" 40 "$notice"
