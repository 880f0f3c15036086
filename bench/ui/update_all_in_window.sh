#!/usr/bin/env bash
# Update All (Shift+F5) in the desktop program, under Xvfb, against feeds served on the
# loopback. Two cases:
#   changed    COLUMNS_CHANGED (200) columns of ITEMS_CHANGED (50) records; before each run
#              every feed gains one item, so every column downloads, parses and merges
#   unchanged  COLUMNS_UNCHANGED (1000) columns of ITEMS_UNCHANGED (100) records whose feeds
#              do not change (the server answers 304); also times `tarsel-cli update` on the
#              same store, which the window's update should stay within 1.5 times of
# Each run starts the program, waits until it is idle, presses Shift+F5 and reports from the
# key press: the first request the server saw, the queue empty again, the program quiet again,
# and the longest window-thread stall (0: none reached 50 ms). Medians come last.
#
#   bench/ui/update_all_in_window.sh [BUILD] [RUNS]
# BUILD holds bin/tarsel and bin/tarsel-cli (default build-release, made if missing); RUNS 3.
# CASES ("changed unchanged") picks the cases. Needs Xvfb and xdotool.
set -euo pipefail
top=$(cd "$(dirname "$0")/../.." && pwd)
build=${1:-$top/build-release}
runs=${2:-3}
cases=${CASES:-changed unchanged}
source "$top/bench/update_bench_support.sh"

if [ ! -x "$build/bin/tarsel" ]; then
  cmake -S "$top" -B "$build" -DCMAKE_BUILD_TYPE=Release -DTARSEL_BUILD_TESTS=OFF \
    -DTARSEL_BUILD_BENCH=OFF >/dev/null
  cmake --build "$build" --target tarsel tarsel-cli -j2 >/dev/null
fi
cli=$build/bin/tarsel-cli

work=$(mktemp -d "${TMPDIR:-/tmp}/tarsel-update-all-XXXXXX")
server=
cleanup() {
  [ -n "$server" ] && kill "$server" 2>/dev/null || true
  kill "${xvfb:-}" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
start_headless_display 70

# make_store NAME COLUMNS ITEMS: feeds in $work/NAME/feeds, subscribed and fetched once by
# tarsel-cli in the data folder $work/NAME/data; sets `port` to the port the columns name.
make_store() {
  local name=$1 columns=$2 items=$3 home=$work/$1
  mkdir -p "$home/data" "$home/config"
  python3 "$top/bench/make_update_feeds.py" "$home/feeds" "$columns" "$items"
  start_feed_server "$home/feeds"
  write_feeds_opml "$home/feeds.opml" "$columns"
  XDG_DATA_HOME="$home/data" "$cli" import-opml "$home/feeds.opml" >/dev/null
  XDG_DATA_HOME="$home/data" "$cli" update --quiet >/dev/null 2>&1 || true
  kill "$server"
  wait "$server" 2>/dev/null || true
  server=
  echo "$name: $columns x $items, columns.dat $(($(stat -c %s "$home/data/Tarsel/columns.dat") / 1048576)) MB"
}

# window_run NAME RUN: one Update All in the window, appended to the results.
window_run() {
  local home=$work/$1
  XDG_DATA_HOME="$home/data" XDG_CONFIG_HOME="$home/config" \
    python3 "$top/bench/ui/update_all_probe.py" "$build/bin/tarsel" "$1" "$home/feeds" \
    "${ports[$1]}" "$home" | tee -a "$work/results"
}

# cli_run NAME: `tarsel-cli update` on the same store and feeds, wall time in seconds.
cli_run() {
  local home=$work/$1 start end
  python3 -m http.server --bind 127.0.0.1 --directory "$home/feeds" "${ports[$1]}" \
    >/dev/null 2>&1 &
  server=$!
  sleep 0.5
  start=$(date +%s%N)
  XDG_DATA_HOME="$home/data" "$cli" update --quiet >/dev/null 2>&1 || true
  end=$(date +%s%N)
  kill "$server"
  wait "$server" 2>/dev/null || true
  server=
  echo "$1-cli wall=$(((end - start) / 1000000))e-3" | tee -a "$work/results"
}

declare -A ports
: >"$work/results"
for name in $cases; do
  if [ "$name" = changed ]; then
    make_store changed "${COLUMNS_CHANGED:-200}" "${ITEMS_CHANGED:-50}"
  else
    make_store unchanged "${COLUMNS_UNCHANGED:-1000}" "${ITEMS_UNCHANGED:-100}"
  fi
  ports[$name]=$port
done
for run in $(seq 1 "$runs"); do
  for name in $cases; do
    if [ "$name" = changed ]; then
      python3 "$top/bench/make_update_feeds.py" --grow "$work/changed/feeds" \
        "${COLUMNS_CHANGED:-200}" $((${ITEMS_CHANGED:-50} + run - 1))
      window_run changed
    else
      window_run unchanged
      cli_run unchanged
    fi
  done
done

python3 - "$work/results" <<'SUMMARY'
import statistics, sys
rows = {}
for line in open(sys.argv[1]):
    name, *values = line.split()
    if values and "=" in values[0]:
        rows.setdefault(name, []).append({k: float(v) for k, v in
                                          (value.split("=") for value in values)})
print("\nmedians (seconds from the key press; stall in ms)")
for name, runs in rows.items():
    keys = runs[0].keys()
    print(f"{name:15}" + "".join(f"  {k} {statistics.median(r[k] for r in runs):.3f}" for k in keys))
if "unchanged" in rows and "unchanged-cli" in rows:
    window = statistics.median(r["queue_empty"] for r in rows["unchanged"])
    cli = statistics.median(r["wall"] for r in rows["unchanged-cli"])
    print(f"unchanged: window update / tarsel-cli update = {window / cli:.2f}")
SUMMARY
