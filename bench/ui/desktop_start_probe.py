#!/usr/bin/env python3
"""One start of the desktop program, watched from outside for 5 s (bench/ui/desktop_start.sh).

  desktop_start_probe.py PROGRAM NAME

Prints one line: NAME mapped=S idle=S cpu=S pss=MB renderers=N. The program runs on $DISPLAY
with the caller's environment (data folder, web engine flags) and is ended after 5 s.
"""
import os
import subprocess
import sys
import time

WATCH_S = 5.0
SAMPLE_S = 0.02
QUIET_WINDOW_S = 0.3
QUIET_SHARE = 0.05  # of one core
TICKS = os.sysconf("SC_CLK_TCK")


def descendants(root):
    children = {}
    for entry in os.listdir("/proc"):
        if not entry.isdigit():
            continue
        try:
            with open(f"/proc/{entry}/stat") as stat:
                fields = stat.read().rsplit(")", 1)[1].split()
        except OSError:
            continue
        children.setdefault(int(fields[1]), []).append(int(entry))
    found, todo = [], [root]
    while todo:
        pid = todo.pop()
        found.append(pid)
        todo.extend(children.get(pid, []))
    return found


def cpu_seconds(pid):
    try:
        with open(f"/proc/{pid}/stat") as stat:
            fields = stat.read().rsplit(")", 1)[1].split()
        return (int(fields[11]) + int(fields[12])) / TICKS
    except OSError:
        return 0.0


def pss_kb(pid):
    try:
        with open(f"/proc/{pid}/smaps_rollup") as rollup:
            for line in rollup:
                if line.startswith("Pss:"):
                    return int(line.split()[1])
    except OSError:
        pass
    return 0


def is_zygote(pid):
    try:
        with open(f"/proc/{pid}/cmdline", "rb") as cmdline:
            return b"--type=zygote" in cmdline.read()
    except OSError:
        return False


def parent_of(pid):
    try:
        with open(f"/proc/{pid}/stat") as stat:
            return int(stat.read().rsplit(")", 1)[1].split()[1])
    except OSError:
        return 0


def is_renderer(pid):
    # Renderers are forked from a zygote and keep its command line: a zygote's zygote child.
    return is_zygote(pid) and is_zygote(parent_of(pid))


def window_mapped(pid):
    found = subprocess.run(["xdotool", "search", "--onlyvisible", "--pid", str(pid)],
                           capture_output=True, text=True)
    return found.returncode == 0 and found.stdout.strip() != ""


def main():
    program, name = sys.argv[1], sys.argv[2]
    start = time.monotonic()
    process = subprocess.Popen([program], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    mapped = None
    samples = []  # (seconds since exec, CPU seconds of the whole tree); exited ones are lost
    seen_cpu = {}
    while time.monotonic() - start < WATCH_S:
        now = time.monotonic() - start
        for pid in descendants(process.pid):
            seen_cpu[pid] = max(seen_cpu.get(pid, 0.0), cpu_seconds(pid))
        samples.append((now, sum(seen_cpu.values())))
        if mapped is None and window_mapped(process.pid):
            mapped = time.monotonic() - start
        time.sleep(SAMPLE_S)
    tree = descendants(process.pid)
    pss = sum(pss_kb(pid) for pid in tree) / 1024
    renderers = sum(1 for pid in tree if is_renderer(pid))
    process.terminate()
    try:
        process.wait(10)
    except subprocess.TimeoutExpired:
        process.kill()

    idle = WATCH_S
    for i, (at, cpu) in enumerate(samples):
        later = [s for s in samples[i:] if s[0] - at >= QUIET_WINDOW_S]
        if not later:
            break
        until, cpu_then = later[0]
        if mapped is not None and at >= mapped and cpu_then - cpu < QUIET_SHARE * (until - at):
            idle = at
            break
    print(f"{name} mapped={mapped if mapped is not None else WATCH_S:.3f} idle={idle:.3f} "
          f"cpu={samples[-1][1]:.3f} pss={pss:.0f} renderers={renderers}", flush=True)


if __name__ == "__main__":
    main()
