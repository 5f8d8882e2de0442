#!/usr/bin/env python3
"""Runs a command several times; prints the median wall time and the peak
resident memory of the command and all its descendants together (sampled)."""
import os
import statistics
import subprocess
import sys
import time


def tree_rss_kb(root):
    children = {}
    for entry in os.listdir('/proc'):
        if not entry.isdigit():
            continue
        try:
            with open(f'/proc/{entry}/stat') as f:
                fields = f.read().rsplit(')', 1)[1].split()
            children.setdefault(int(fields[1]), []).append(int(entry))
        except OSError:
            pass
    total, stack = 0, [root]
    while stack:
        pid = stack.pop()
        stack.extend(children.get(pid, []))
        try:
            with open(f'/proc/{pid}/status') as f:
                for line in f:
                    if line.startswith('VmRSS:'):
                        total += int(line.split()[1])
        except OSError:
            pass
    return total


def run_once(cmd):
    start = time.perf_counter()
    proc = subprocess.Popen(cmd, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    peak = 0
    while proc.poll() is None:
        peak = max(peak, tree_rss_kb(proc.pid))
        time.sleep(0.005)
    return time.perf_counter() - start, peak, proc.returncode


def main():
    runs = int(sys.argv[1])
    cmd = sys.argv[2:]
    times, peaks = [], []
    for _ in range(runs):
        t, p, rc = run_once(cmd)
        if rc not in (0, 1):
            print(f'command failed ({rc}): {" ".join(cmd)}', file=sys.stderr)
            sys.exit(1)
        times.append(t)
        peaks.append(p)
    print(f'{statistics.median(times):.3f} {max(peaks) / 1024:.1f}')


if __name__ == '__main__':
    main()
