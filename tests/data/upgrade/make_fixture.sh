#!/bin/bash
# Writes columns.dat beside this script: the store an older tarsel-cli (the one given) leaves
# after subscribing to the feeds here, reading part of each, and updating again.
# Usage: make_fixture.sh PATH/TO/OLD/tarsel-cli [PORT]
# Each feed is first served without its items between <!--later--> and <!--/later-->; the
# columns are updated and marked read; then the whole feeds are served and updated once more,
# so that every column holds read records and unread ones.
set -euo pipefail
cli=$(realpath "$1")
port=${2:-18723}
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'kill "$server" 2>/dev/null; rm -rf "$work"' EXIT
mkdir -p "$work/www" "$work/data"
export XDG_DATA_HOME="$work/data"
feeds=(rss091 rss20 rdf atom03 atom10)
for feed in "${feeds[@]}"; do
  python3 -c 'import re,sys; sys.stdout.write(re.sub(r"<!--later-->.*?<!--/later-->", "", open(sys.argv[1]).read(), flags=re.S))' \
    "$here/$feed.xml" > "$work/www/$feed.xml"
done
python3 -m http.server "$port" --bind 127.0.0.1 --directory "$work/www" > /dev/null 2>&1 &
server=$!
sleep 1
for feed in "${feeds[@]}"; do "$cli" add "http://127.0.0.1:$port/$feed.xml"; done
"$cli" update --quiet
"$cli" mark-read all
sleep 1.1  # a later modification time, so the server answers 200 to the conditional request
for feed in "${feeds[@]}"; do cp "$here/$feed.xml" "$work/www/$feed.xml"; done
"$cli" update --quiet
for id in $(seq 1 ${#feeds[@]}); do "$cli" records "$id" --all; done > "$work/records.txt"
cp "$work/data/Tarsel/columns.dat" "$here/columns.dat"
cat "$work/records.txt"
