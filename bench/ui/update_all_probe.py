#!/usr/bin/env python3
"""One Update All (Shift+F5) in the desktop program, watched from outside
(bench/ui/update_all_in_window.sh).

  update_all_probe.py PROGRAM NAME FEEDS_FOLDER PORT WORK_FOLDER

Serves FEEDS_FOLDER on 127.0.0.1:PORT (the port the store's columns name), starts PROGRAM on
$DISPLAY with the caller's data folder, waits until it is idle, gives its window the keyboard
focus and presses Shift+F5. Prints one line:

  NAME first_request=S queue_empty=S idle=S requests=N stall=MS

all times from the key press: the first feed request the server saw, the moment the update
queue reported every column idle (TARSEL_QUEUE_LOG), the moment the program's processes went
quiet after that, and the longest window-thread stall in between (TARSEL_STALL_LOG; 0 when
none reached 50 ms).
"""
import functools
import http.server
import os
import subprocess
import sys
import threading
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from desktop_start_probe import cpu_seconds, descendants  # noqa: E402

QUIET_WINDOW_S = 0.3
QUIET_SHARE = 0.05  # of one core
SAMPLE_S = 0.01
START_LIMIT_S = 30.0
UPDATE_LIMIT_S = 300.0


class FeedServer:
    """A threaded loopback server (If-Modified-Since answered with 304) that notes when
    each request came, in the wall-clock seconds the program's logs use."""

    def __init__(self, folder, port):
        self.times = []
        times = self.times

        class Handler(http.server.SimpleHTTPRequestHandler):
            def log_message(self, *args):
                times.append(time.time())

        handler = functools.partial(Handler, directory=folder)
        self.server = http.server.ThreadingHTTPServer(("127.0.0.1", port), handler)
        self.server.daemon_threads = True
        threading.Thread(target=self.server.serve_forever, daemon=True).start()

    def stop(self):
        self.server.shutdown()


def tree_cpu(root, seen):
    for pid in descendants(root):
        seen[pid] = max(seen.get(pid, 0.0), cpu_seconds(pid))
    return sum(seen.values())


def wait_quiet(root, seen, limit_s):
    """Waits until the process tree uses under QUIET_SHARE of a core for QUIET_WINDOW_S;
    returns the wall-clock time the quiet stretch began."""
    window = []  # (wall time, tree CPU)
    deadline = time.monotonic() + limit_s
    while time.monotonic() < deadline:
        window.append((time.time(), tree_cpu(root, seen)))
        while len(window) > 1 and window[-1][0] - window[1][0] >= QUIET_WINDOW_S:
            window.pop(0)
        began, cpu_then = window[0]
        if window[-1][0] - began >= QUIET_WINDOW_S and \
                window[-1][1] - cpu_then < QUIET_SHARE * (window[-1][0] - began):
            return began
        time.sleep(SAMPLE_S)
    return None


def window_of(pid):
    for _ in range(int(START_LIMIT_S / 0.05)):
        found = subprocess.run(["xdotool", "search", "--onlyvisible", "--pid", str(pid)],
                               capture_output=True, text=True)
        if found.returncode == 0 and found.stdout.split():
            return found.stdout.split()[0]
        time.sleep(0.05)
    return None


def queue_empty_after(log_path, since, limit_s):
    """The time of the first "every column idle" line after `since`."""
    deadline = time.monotonic() + limit_s
    while time.monotonic() < deadline:
        try:
            with open(log_path) as log:
                for line in log:
                    at_ms, running, waiting = (int(field) for field in line.split())
                    if at_ms / 1000 > since and running == 0 and waiting == 0:
                        return at_ms / 1000
        except (OSError, ValueError):
            pass
        time.sleep(SAMPLE_S)
    return None


def longest_stall(log_path, since, until):
    try:
        with open(log_path) as log:
            stalls = [int(ms) for at_ms, ms in (line.split() for line in log)
                      if since <= int(at_ms) / 1000 <= until + 0.1]
    except OSError:
        return 0
    return max(stalls, default=0)


def main():
    program, name, feeds, port, work = sys.argv[1:6]
    queue_log, stall_log = os.path.join(work, "queue.log"), os.path.join(work, "stalls.log")
    for path in (queue_log, stall_log):
        open(path, "w").close()
    server = FeedServer(feeds, int(port))
    env = dict(os.environ, TARSEL_QUEUE_LOG=queue_log, TARSEL_STALL_LOG=stall_log)
    process = subprocess.Popen([program], env=env, stdout=subprocess.DEVNULL,
                               stderr=subprocess.DEVNULL)
    try:
        window = window_of(process.pid)
        seen = {}
        if window is None or wait_quiet(process.pid, seen, START_LIMIT_S) is None:
            print(f"{name} FAILED: the window did not come up and settle", flush=True)
            return 1
        # Without a window manager the window gets the focus only when asked.
        subprocess.run(["xdotool", "windowfocus", "--sync", window], check=True)
        served_before = len(server.times)
        key_at = time.time()
        subprocess.run(["xdotool", "key", "shift+F5"], check=True)
        empty_at = queue_empty_after(queue_log, key_at, UPDATE_LIMIT_S)
        idle_at = wait_quiet(process.pid, seen, UPDATE_LIMIT_S) if empty_at else None
        requests = server.times[served_before:]
        if empty_at is None or idle_at is None or not requests:
            print(f"{name} FAILED: no update seen ({len(requests)} requests)", flush=True)
            return 1
        idle_at = max(idle_at, empty_at)
        print(f"{name} first_request={requests[0] - key_at:.3f} "
              f"queue_empty={empty_at - key_at:.3f} idle={idle_at - key_at:.3f} "
              f"requests={len(requests)} stall={longest_stall(stall_log, key_at, idle_at)}",
              flush=True)
        return 0
    finally:
        process.terminate()
        try:
            process.wait(60)
        except subprocess.TimeoutExpired:
            process.kill()
        server.stop()


if __name__ == "__main__":
    sys.exit(main())
