#!/usr/bin/env bash
# The desktop program's start, measured from outside under Xvfb, for an empty profile and for
# one of 1,000 columns x 100 records (fetched by tarsel-cli from a loopback server first):
#   exec to window mapped   the main window is viewable on the X server
#   exec to idle            the first moment after which the program and its web engine
#                           processes use under 5 % of one core for 300 ms
#   CPU in the first 5 s    user + system time of all those processes
#   PSS after 5 s           proportional set size of all those processes
#   renderers               web engine renderer processes running after 5 s
# Each profile starts RUNS times (5); the medians are printed last.
#
#   bench/ui/desktop_start.sh [BUILD] [RUNS]
# BUILD holds bin/tarsel and bin/tarsel-cli (default: build-release, made if missing).
# COLUMNS (1000) and RECORDS (100) size the big profile; PROFILES ("empty big") picks profiles.
set -euo pipefail
top=$(cd "$(dirname "$0")/../.." && pwd)
build=${1:-$top/build-release}
runs=${2:-5}
columns=${COLUMNS:-1000}
records=${RECORDS:-100}
profiles=${PROFILES:-empty big}
source "$top/bench/update_bench_support.sh"

if [ ! -x "$build/bin/tarsel" ]; then
  cmake -S "$top" -B "$build" -DCMAKE_BUILD_TYPE=Release -DTARSEL_BUILD_TESTS=OFF \
    -DTARSEL_BUILD_BENCH=OFF >/dev/null
  cmake --build "$build" --target tarsel tarsel-cli -j2 >/dev/null
fi

work=$(mktemp -d "${TMPDIR:-/tmp}/tarsel-start-XXXXXX")
server=
cleanup() {
  [ -n "$server" ] && kill "$server" 2>/dev/null || true
  kill "${xvfb:-}" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
start_headless_display 90

make_profile() {
  local name=$1 home="$work/$1"
  mkdir -p "$home/data" "$home/config"
  [ "$name" = empty ] && return
  mkdir -p "$work/feeds"
  python3 "$top/bench/make_update_feeds.py" "$work/feeds" "$columns" "$records"
  start_feed_server "$work/feeds"
  write_feeds_opml "$work/feeds.opml" "$columns"
  XDG_DATA_HOME="$home/data" "$build/bin/tarsel-cli" import-opml "$work/feeds.opml" >/dev/null 2>&1
  XDG_DATA_HOME="$home/data" "$build/bin/tarsel-cli" update >/dev/null 2>&1
  kill "$server"
  server=
  # Fetched just now, with the default interval: no column is due at the start.
  echo "$name profile: columns.dat $(($(stat -c %s "$home/data/Tarsel/columns.dat") / 1048576)) MB"
}

results=$work/results
: >"$results"
for name in $profiles; do make_profile "$name"; done
for run in $(seq 1 "$runs"); do
  for name in $profiles; do
    XDG_DATA_HOME="$work/$name/data" XDG_CONFIG_HOME="$work/$name/config" \
      python3 "$top/bench/ui/desktop_start_probe.py" "$build/bin/tarsel" "$name" | tee -a "$results"
  done
done

python3 - "$results" <<'SUMMARY'
import statistics, sys
rows = {}
for line in open(sys.argv[1]):
    name, *values = line.split()
    rows.setdefault(name, []).append([float(v.split("=")[1]) for v in values])
labels = ["mapped s", "idle s", "cpu 5 s", "PSS MB", "renderers"]
print(f"\nmedians  {'':6}" + "".join(f"{label:>11}" for label in labels))
for name, values in rows.items():
    medians = [statistics.median(column) for column in zip(*values)]
    print(f"{name:15}" + "".join(f"{m:11.2f}" for m in medians))
SUMMARY
