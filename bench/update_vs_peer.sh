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
# Every Tarsel round gets a data folder of a new name, and all are removed only at the end: a
# first update creates one cache file per column, and on ext4 creating files right after
# deleting as many makes each creation step over the freshly freed inodes, a cost no real first
# update pays.
#
# Usage: bench/update_vs_peer.sh [path/to/tarsel-cli]
#   FEEDS (1000), ITEMS (50), ROUNDS (1) set the corpus and the number of rounds (a round of
#   1,000 x 50 takes Newsboat about five minutes).
#   BASELINE=path/to/an/older/tarsel-cli also measures that build in every round, as
#   "baseline", for a before-and-after comparison under the same load.
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
write_feeds_opml "$work/feeds.opml" "$feeds"
for i in $(seq 0 $((feeds - 1))); do echo "http://127.0.0.1:$port/feed$i.xml"; done >"$work/urls"
printf 'reload-threads 5\n' >"$work/newsboat.conf"

results="$work/results"
: >"$results"

# Runs one measured command: records "program kind wall cpu rss_kb" and prints the line. CPU
# time comes from the child's resource usage to the microsecond (time(1) rounds to 10 ms, a
# few per cent of a Tarsel run).
measure() {
  local program=$1 kind=$2
  shift 2
  local stats
  if ! stats=$(python3 - "$work/run.out" "$@" <<'MEASURE'
import os, sys, time
with open(sys.argv[1], "wb") as out:
    start = time.monotonic()
    child = os.fork()
    if child == 0:
        os.dup2(out.fileno(), 1)
        os.dup2(out.fileno(), 2)
        os.execvp(sys.argv[2], sys.argv[2:])
    _, status, usage = os.wait4(child, 0)
    wall = time.monotonic() - start
print(f"{wall:.3f} {usage.ru_utime + usage.ru_stime:.3f} {usage.ru_maxrss}")
sys.exit(os.waitstatus_to_exitcode(status) != 0)
MEASURE
  ); then
    echo "$program $kind failed:" >&2
    tail -5 "$work/run.out" >&2
    exit 1
  fi
  read -r wall cpu rss <<<"$stats"
  echo "$program $kind $wall $cpu $rss" >>"$results"
  printf '  %-9s %-10s wall %7.3f s  cpu %7.3f s  peak RSS %6d MB\n' "$program" "$kind" \
    "$wall" "$cpu" $((rss / 1024))
}

# tarsel_round NAME CLI: a first and an unchanged update in a new data folder.
tarsel_round() {
  local name=$1 program=$2
  local home
  home=$(mktemp -d "$work/$name-home-XXXXXX")
  XDG_DATA_HOME="$home" "$program" import-opml "$work/feeds.opml" >/dev/null
  XDG_DATA_HOME="$home" measure "$name" first "$program" update
  XDG_DATA_HOME="$home" measure "$name" unchanged "$program" update
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
  # The two builds take turns at going first: the one that follows the other also runs while
  # the disk still writes the other's store and cache back.
  if [ -n "${BASELINE:-}" ] && [ $((round % 2)) -eq 1 ]; then
    tarsel_round baseline "$BASELINE"
    tarsel_round tarsel "$cli"
  else
    tarsel_round tarsel "$cli"
    [ -n "${BASELINE:-}" ] && tarsel_round baseline "$BASELINE"
  fi
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
    for program in ("baseline", "tarsel", "newsboat"):
        if (program, kind) not in runs:
            continue
        rows = runs[(program, kind)]
        medians[program] = [statistics.median(r[i] for r in rows) for i in range(3)]
        wall, cpu, rss = medians[program]
        print(f"{kind:10} {program:9} {wall:8.3f} {cpu:8.3f} {rss:8.0f}")
    for program in ("baseline", "tarsel"):
        if program in medians and "newsboat" in medians:
            ratio = [t / n if n else float("nan")
                     for t, n in zip(medians[program], medians["newsboat"])]
            label = "ratio" if program == "tarsel" else "ratio old"
            print(f"{kind:10} {label:9} {ratio[0]:8.3f} {ratio[1]:8.3f} {ratio[2]:8.2f}")
SUMMARY
