# Sourced by the update benchmarks.

# cli_or_release_build TOP [CLI]: prints CLI when given, else builds a Release tarsel-cli in
# TOP/build-release (GUI, tests and benchmarks off) and prints its path.
cli_or_release_build() {
  if [ -n "${2:-}" ]; then
    echo "$2"
    return
  fi
  cmake -S "$1" -B "$1/build-release" -DCMAKE_BUILD_TYPE=Release -DTARSEL_BUILD_GUI=OFF \
    -DTARSEL_BUILD_TESTS=OFF -DTARSEL_BUILD_BENCH=OFF >/dev/null
  cmake --build "$1/build-release" --target tarsel-cli -j2 >/dev/null
  echo "$1/build-release/bin/tarsel-cli"
}

# Serves a folder of feeds on the loopback with python's
# threaded HTTP server, which sends Last-Modified and answers If-Modified-Since with 304.
# start_feed_server FOLDER sets `port` and `server` (its pid) and returns once it answers;
# the caller kills "$server" when done.
start_feed_server() {
  port=$(python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
  python3 -m http.server --bind 127.0.0.1 --directory "$1" "$port" >/dev/null 2>&1 &
  server=$!
  python3 - "$port" <<'WAIT'
import socket, sys, time
for _ in range(100):
    try:
        socket.create_connection(("127.0.0.1", int(sys.argv[1])), 1).close()
        break
    except OSError:
        time.sleep(0.1)
WAIT
  export no_proxy='*' NO_PROXY='*'
}

# write_feeds_opml FILE COUNT: an OPML list of feed0.xml .. feed<COUNT-1>.xml on the server
# start_feed_server started (its `port`).
write_feeds_opml() {
  {
    echo '<?xml version="1.0"?><opml version="1.0"><head><title>bench</title></head><body>'
    for ((i = 0; i < $2; i++)); do
      echo "<outline type=\"rss\" text=\"feed$i\" xmlUrl=\"http://127.0.0.1:$port/feed$i.xml\"/>"
    done
    echo '</body></opml>'
  } >"$1"
}

# start_headless_display FIRST: a private Xvfb on display FIRST to FIRST+8 (picked at random),
# with the web engine set for it (no sandbox as root, where it cannot run; no GPU). Sets DISPLAY
# and `xvfb` (its pid); the caller kills "$xvfb" when done.
start_headless_display() {
  if [ "$(id -u)" = 0 ]; then export QTWEBENGINE_DISABLE_SANDBOX=1; fi
  export QTWEBENGINE_CHROMIUM_FLAGS=${QTWEBENGINE_CHROMIUM_FLAGS:---disable-gpu}
  export DISPLAY=:$(($1 + RANDOM % 9))
  Xvfb "$DISPLAY" -screen 0 1280x900x24 -nolisten tcp >/dev/null 2>&1 &
  xvfb=$!
  sleep 0.5
}
