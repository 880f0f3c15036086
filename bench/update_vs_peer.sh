#!/usr/bin/env bash
# `tarsel-cli update` against Newsboat on the same loopback corpus, in one run, interleaved.
#
# The corpus is bench/make_update_feeds.py's (RSS 2.0, RDF and Atom 0.3 in turn, about 1.5 KB of
# HTML per item), served by python's threaded HTTP server, which answers If-Modified-Since with
# 304. Each round gives both programs a fresh data folder, then times a first update (everything
# new) and a second one (everything unchanged), Tarsel and Newsboat taking turns so that a change
# in the machine's load falls on both. Newsboat runs with 5 reload threads, as Tarsel runs 5
# workers. Without Newsboat installed only Tarsel is measured.
#
# Prints wall time, CPU time (user + system) and peak RSS of every run, then the medians and the
# ratios Tarsel / Newsboat. Also prints the size of columns.dat and Tarsel's memory limit of
# 1.5 x columns.dat + 40 MB.
#
# Usage: bench/update_vs_peer.sh [path/to/tarsel-cli]
#   FEEDS (1000), ITEMS (50), ROUNDS (1) set the corpus and the number of rounds (a round of
#   1,000 x 50 takes Newsboat about five minutes).
# Without a path, a Release build is made in build-release/ (GUI, tests and benchmarks off).
# Everything it writes goes to a temporary folder, removed at the end.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
. "$top/bench/update_bench_support.sh"
feeds=${FEEDS:-1000}
items=${ITEMS:-50}
rounds=${ROUNDS:-1}
cli=$(cli_or_release_build "$top" "${1:-}")
peer=$(command -v newsboat || true)

work=$(mktemp -d "${TMPDIR:-/tmp}/tarsel-vs-peer-XXXXXX")
server=
cleanup() {
  [ -n "$server" ] && kill "$server" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

mkdir -p "$work/feeds"
python3 "$top/bench/make_update_feeds.py" "$work/feeds" "$feeds" "$items"
start_feed_server "$work/feeds"

# The subscriptions, once as OPML (Tarsel imports it) and once as Newsboat's urls file.
{
  echo '<?xml version="1.0"?><opml version="1.0"><head><title>bench</title></head><body>'
  for i in $(seq 0 $((feeds - 1))); do
    echo "<outline type=\"rss\" text=\"feed$i\" xmlUrl=\"http://127.0.0.1:$port/feed$i.xml\"/>"
  done
  echo '</body></opml>'
} >"$work/feeds.opml"
for i in $(seq 0 $((feeds - 1))); do echo "http://127.0.0.1:$port/feed$i.xml"; done >"$work/urls"
printf 'reload-threads 5\n' >"$work/newsboat.conf"

results="$work/results"
: >"$results"

# Runs one measured command: records "program kind wall cpu rss_kb" and prints the line.
measure() {
  local program=$1 kind=$2
  shift 2
  local stats="$work/time.out"
  if ! /usr/bin/time -o "$stats" -f '%e %U %S %M' "$@" >"$work/run.out" 2>&1; then
    echo "$program $kind failed:" >&2
    tail -5 "$work/run.out" >&2
    exit 1
  fi
  read -r wall user sys rss <"$stats"
  local cpu
  cpu=$(awk -v u="$user" -v s="$sys" 'BEGIN { printf "%.2f", u + s }')
  echo "$program $kind $wall $cpu $rss" >>"$results"
  printf '  %-9s %-10s wall %7.2f s  cpu %7.2f s  peak RSS %6d MB\n' "$program" "$kind" \
    "$wall" "$cpu" $((rss / 1024))
}

tarsel_round() {
  local home="$work/tarsel-home"
  rm -rf "$home"
  mkdir -p "$home"
  XDG_DATA_HOME="$home" "$cli" import-opml "$work/feeds.opml" >/dev/null
  XDG_DATA_HOME="$home" measure tarsel first "$cli" update
  XDG_DATA_HOME="$home" measure tarsel unchanged "$cli" update
  store_bytes=$(find "$home" -name columns.dat -printf '%s\n' | head -1)
}

peer_round() {
  local cache="$work/newsboat.db"
  rm -f "$cache" "$cache.lock"
  local run=("$peer" -u "$work/urls" -c "$cache" -C "$work/newsboat.conf" -x reload)
  measure newsboat first "${run[@]}"
  measure newsboat unchanged "${run[@]}"
}

echo "corpus: $feeds feeds x $items items, $(du -sh "$work/feeds" | cut -f1) on disk"
[ -n "$peer" ] || echo "newsboat is not installed: Tarsel only"
store_bytes=0
for round in $(seq 1 "$rounds"); do
  echo "round $round"
  tarsel_round
  [ -n "$peer" ] && peer_round
done

echo
echo "columns.dat: $((store_bytes / 1048576)) MB; memory limit 1.5 x store + 40 MB =" \
  "$(((store_bytes * 3 / 2) / 1048576 + 40)) MB"
python3 - "$results" <<'SUMMARY'
import statistics, sys
runs = {}
for line in open(sys.argv[1]):
    program, kind, wall, cpu, rss = line.split()
    runs.setdefault((program, kind), []).append((float(wall), float(cpu), int(rss) / 1024))
print(f"medians of {max(len(v) for v in runs.values())} rounds")
print(f"{'update':10} {'program':9} {'wall s':>8} {'cpu s':>8} {'peak MB':>8}")
for kind in ("first", "unchanged"):
    medians = {}
    for program in ("tarsel", "newsboat"):
        if (program, kind) not in runs:
            continue
        rows = runs[(program, kind)]
        medians[program] = [statistics.median(r[i] for r in rows) for i in range(3)]
        wall, cpu, rss = medians[program]
        print(f"{kind:10} {program:9} {wall:8.2f} {cpu:8.2f} {rss:8.0f}")
    if len(medians) == 2:
        ratio = [t / n if n else float("nan") for t, n in zip(medians["tarsel"], medians["newsboat"])]
        print(f"{kind:10} {'ratio':9} {ratio[0]:8.2f} {ratio[1]:8.2f} {ratio[2]:8.2f}")
SUMMARY
