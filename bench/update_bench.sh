#!/usr/bin/env bash
# End-to-end timing of `tarsel-cli update`: 200 feeds (RSS 2.0, RDF and Atom 0.3 in turn, 50
# items each, about 1.5 KB of HTML per description) served on the loopback by python's HTTP
# server, which sends Last-Modified and answers If-Modified-Since with 304.
#
# Times three updates of a fresh data folder subscribed to every feed: the first (all new),
# a second (all unchanged), and one after ten feeds gained an item.
#
# Usage: bench/update_bench.sh [path/to/tarsel-cli]
# Everything it writes goes to a temporary folder, removed at the end.
# Without a path, a Release build is made in build-release/ (GUI, tests and benchmarks off).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
. "$top/bench/update_bench_support.sh"
feeds=${FEEDS:-200}
items=${ITEMS:-50}
cli=$(cli_or_release_build "$top" "${1:-}")

data=$(mktemp -d "${TMPDIR:-/tmp}/tarsel-update-bench-XXXXXX")
server=
trap '[ -n "$server" ] && kill "$server" 2>/dev/null; rm -rf "$data"' EXIT
mkdir -p "$data/feeds" "$data/home"
python3 "$top/bench/make_update_feeds.py" "$data/feeds" "$feeds" "$items"

start_feed_server "$data/feeds"

export XDG_DATA_HOME="$data/home"
for i in $(seq 0 $((feeds - 1))); do
  "$cli" add "http://127.0.0.1:$port/feed$i.xml" >/dev/null
done

# Runs one update; prints its wall time in seconds and checks its report.
timed_update() {
  local label=$1 expect_new=$2 start end out
  start=$(date +%s%N)
  out=$("$cli" update 2>/dev/null) || { echo "$label: tarsel-cli update failed" >&2; echo "$out" >&2; exit 1; }
  end=$(date +%s%N)
  local lines ok new
  lines=$(printf '%s\n' "$out" | wc -l)
  ok=$(printf '%s\n' "$out" | grep -c ', OK$' || true)
  new=$(printf '%s\n' "$out" | awk -F': ' '{ split($NF, w, " "); sum += w[1] } END { print sum + 0 }')
  local ms=$(((end - start) / 1000000))
  printf '%-28s %4d.%03d s  (%d columns, %d OK, %d new records)\n' "$label" \
    $((ms / 1000)) $((ms % 1000)) "$lines" "$ok" "$new"
  if [ "$ok" -ne "$feeds" ] || [ "$new" -ne "$expect_new" ]; then
    echo "$label: expected $feeds columns OK and $expect_new new records" >&2
    exit 1
  fi
}

echo "feeds: $feeds x $items items, $(du -sh "$data/feeds" | cut -f1) on disk"
timed_update "first update" $((feeds * items))
timed_update "second update (unchanged)" 0
python3 "$top/bench/make_update_feeds.py" --grow "$data/feeds" 10 "$items"
timed_update "ten feeds gained an item" 10
