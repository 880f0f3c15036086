#!/usr/bin/env bash
# Builds the fuzz targets of fuzz/ (clang, libFuzzer, ASan + UBSan) in build-fuzz and runs each
# of them for SECONDS (default 60), one after another, starting from the checked-in corpus.
# New corpus entries are kept in build-fuzz/corpus/<target> and reused by the next run; inputs
# that crash, leak or time out land in build-fuzz/crashes/<target>-crash-<hash> (also -leak-,
# -timeout-, -oom-). Stops at the first target that fails. Each target's log is kept in
# build-fuzz/logs/<target>.log.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-60}
build=${TARSEL_FUZZ_BUILD:-$top/build-fuzz}
jobs=$(nproc)
targets=(xml html feed json_feed store lists xml_rpc dates http_headers smtp translation settings)

CC=clang CXX=clang++ cmake -S "$top" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTARSEL_FUZZ=ON \
  -DTARSEL_BUILD_GUI=OFF -DTARSEL_BUILD_TESTS=OFF -DTARSEL_BUILD_BENCH=OFF >/dev/null
# Only the targets and what they link: the rest of the program is not fuzzed.
cmake --build "$build" -j"$jobs" --target "${targets[@]/#/fuzz_}"

mkdir -p "$build/crashes" "$build/logs"
for target in "${targets[@]}"; do
  corpus="$build/corpus/$target"
  log="$build/logs/$target.log"
  mkdir -p "$corpus"
  echo "== fuzz_$target for ${seconds} s"
  if ! "$build/fuzz/fuzz_$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
      -print_final_stats=1 -artifact_prefix="$build/crashes/$target-" \
      "$corpus" "$top/fuzz/corpus/$target" >"$log" 2>&1; then
    tail -n 40 "$log"
    echo "fuzz_$target failed; the input is in $build/crashes/"
    exit 1
  fi
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
  speed=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log")
  echo "   $runs runs, $speed per second, $(ls "$corpus" | wc -l) corpus entries kept"
done
echo "== every fuzz target ran clean"
