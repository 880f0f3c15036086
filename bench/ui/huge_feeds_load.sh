#!/usr/bin/env bash
# The desktop program updating two hostile columns: one feed of 60 MB of items and one of
# 400,000 tiny items. Reports the longest time the window thread went without running its
# event loop (TARSEL_STALL_LOG) and the program's peak memory.
#
#   bench/ui/huge_feeds_load.sh [BUILD] [SECONDS]
set -euo pipefail
top=$(cd "$(dirname "$0")/../.." && pwd)
build=${1:-$top/build}
seconds=${2:-60}
source "$top/bench/update_bench_support.sh"

work=$(mktemp -d)
display=:$((80 + RANDOM % 9))
cleanup() {
  kill "${program:-}" "${server:-}" "${xvfb:-}" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
export XDG_DATA_HOME=$work/data XDG_CONFIG_HOME=$work/config
export QTWEBENGINE_DISABLE_SANDBOX=1 QTWEBENGINE_CHROMIUM_FLAGS=--disable-gpu
mkdir -p "$XDG_DATA_HOME" "$XDG_CONFIG_HOME" "$work/feeds"

python3 - "$work/feeds" <<'FEEDS'
import sys
folder = sys.argv[1]
para = "<p>" + "Lorem ipsum dolor sit amet, consectetur adipiscing elit. " * 20 + "</p>"
with open(folder + "/big.xml", "w") as out:
    out.write('<?xml version="1.0" encoding="utf-8"?><rss version="2.0"><channel><title>Big</title>')
    size, i = 0, 0
    while size < 60 * 1024 * 1024:
        item = ('<item><title>Big item %d</title><link>http://example.com/big/%d</link>'
                '<description><![CDATA[%s]]></description></item>\n') % (i, i, para * 4)
        out.write(item)
        size += len(item)
        i += 1
    out.write('</channel></rss>')
with open(folder + "/tiny.xml", "w") as out:
    out.write('<?xml version="1.0" encoding="utf-8"?><rss version="2.0"><channel><title>Tiny</title>')
    for i in range(400000):
        out.write('<item><title>%d</title></item>\n' % i)
    out.write('</channel></rss>')
FEEDS
start_feed_server "$work/feeds"
cli=$build/bin/tarsel-cli
"$cli" add "http://127.0.0.1:$port/big.xml" >/dev/null
"$cli" add "http://127.0.0.1:$port/tiny.xml" >/dev/null

Xvfb "$display" -screen 0 1280x900x24 >/dev/null 2>&1 &
xvfb=$!
export DISPLAY=$display
TARSEL_STALL_LOG=$work/stalls "$build/bin/tarsel" >/dev/null 2>&1 &
program=$!
sleep 3
# New columns are due at once: the update starts with the window. Halfway, the records list
# shows the 400,000 records, then the big column's.
update_started_ms=$(date +%s%3N)
peak=0
for ((i = 0; i < seconds; i++)); do
  sleep 1
  if ((i == seconds / 2)); then xdotool mousemove 230 184 click 1; fi
  if ((i == seconds * 3 / 4)); then xdotool mousemove 230 166 click 1; fi
  rss=$(awk '/VmHWM/ {print $2}' "/proc/$program/status" 2>/dev/null || echo 0)
  [ "${rss:-0}" -gt "$peak" ] && peak=$rss
done
# Stalls from the start of the update on: the longest, and how many passed 200 ms.
awk -v from="$update_started_ms" '$1 >= from { if ($2 > most) most = $2; if ($2 > 200) over++ }
  END { printf "window thread: longest stall %d ms, %d over 200 ms\n", most, over }' \
  "$work/stalls" 2>/dev/null || echo "window thread: no stall of 50 ms or more"
awk -v from="$update_started_ms" '$2 > 100 { printf "  %d ms stall at %.1f s\n", $2, ($1 - from) / 1000 }' \
  "$work/stalls" 2>/dev/null || true
echo "  (the list shows the tiny column at $((seconds / 2)) s, the big one at $((seconds * 3 / 4)) s)"
echo "peak memory: $((peak / 1024)) MB"
kill "$program"
wait "$program" 2>/dev/null || true
"$cli" list
