#!/usr/bin/python3
"""Cold start to the first painted window: dolvane-console against a bare
QDialog of the same size on the same display.

Each run is a new process; the time is from just before exec to the first
paint of its top-level window (first_paint_probe, preloaded, reports it). The
two programs run in turn, after a warm-up each, and the medians and the median
of the pair-by-pair ratios are printed: of the wall time, and of the CPU time
the process took until then (steadier on a loaded machine).

    bench/cold_start/run.sh [RUNS]        (starts a private X server: xvfb-run)
"""
import os
import statistics
import subprocess
import sys
import time


def first_paint(command, probe):
    """(wall ms, CPU ms, window size) of one cold start."""
    env = dict(os.environ, LD_PRELOAD=probe)
    start = time.monotonic_ns()
    done = subprocess.run(command, env=env, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, timeout=60, check=False)
    for line in done.stdout.decode().splitlines():
        if line.startswith("first-paint "):
            _, ns, size, cpu = line.split()
            return (int(ns) - start) / 1e6, int(cpu) / 1e6, size
    raise SystemExit(f"no first paint from {command[0]} (exit {done.returncode})")


def row(name, values):
    return f"  {name:<16} {statistics.median(values):7.1f}  ({min(values):.1f}-{max(values):.1f})"


def main():
    bin_dir = sys.argv[1]
    runs = int(sys.argv[2]) if len(sys.argv) > 2 else 15
    probe = os.path.join(bin_dir, "libfirst_paint_probe.so")
    console = [os.path.join(bin_dir, "dolvane-console")] + sys.argv[3:]
    size = first_paint(console, probe)[2]  # warm-up, and the window's size
    bare = [os.path.join(bin_dir, "bare_dialog")] + size.split("x")
    # The same dialog with one line of Chinese: what drawing any text costs.
    labelled = bare + ["模块站号 Dolvane采集模块调试工具"]
    first_paint(bare, probe)
    first_paint(labelled, probe)
    runs_of = {"console": [], "bare": [], "labelled": []}
    for _ in range(runs):
        runs_of["console"].append(first_paint(console, probe))
        runs_of["bare"].append(first_paint(bare, probe))
        runs_of["labelled"].append(first_paint(labelled, probe))
    print(f"window {size}, {runs} runs each, in turn; median (min-max) ms to the first painted frame")
    for what, index in (("wall", 0), ("CPU", 1)):
        ms = {name: [r[index] for r in results] for name, results in runs_of.items()}
        print(f"{what}:")
        print(row("dolvane-console", ms["console"]))
        print(row("bare QDialog", ms["bare"]))
        print(row("+ one CJK label", ms["labelled"]))
        for name in ("bare", "labelled"):
            ratios = [c / b for c, b in zip(ms["console"], ms[name])]
            print(f"  ratio to {name} (median of pairs) {statistics.median(ratios):.2f}")


if __name__ == "__main__":
    main()
