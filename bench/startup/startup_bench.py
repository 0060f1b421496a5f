#!/usr/bin/env python3
"""Start-up time and idle CPU of Ordex 2000 under Xvfb.

Start-up: the time from launching the executable to the moment it reports
the main window shown (it prints "ORDEX_SHOWN <ms since epoch>" when
ORDEX_BENCH=1), median of several runs, each on a fresh copy of the program
directory. Idle CPU: user + system time the program uses over a quiet
period after start-up, from /proc/<pid>/stat, as a share of one core.
"""

import argparse
import os
import shutil
import signal
import statistics
import subprocess
import sys
import tempfile
import time


def start_xvfb():
    for display in range(140, 200):
        if os.path.exists(f"/tmp/.X{display}-lock"):
            continue
        proc = subprocess.Popen(["Xvfb", f":{display}", "-screen", "0", "1280x1024x24", "-nolisten", "tcp"],
                                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        time.sleep(1.0)
        if proc.poll() is None:
            return proc, f":{display}"
    sys.exit("no free X display for Xvfb")


def cpu_ticks(pid):
    with open(f"/proc/{pid}/stat") as f:
        fields = f.read().rsplit(")", 1)[1].split()
    return int(fields[11]) + int(fields[12])  # utime + stime


def launch(program_dir, display):
    work = tempfile.mkdtemp(prefix="ordex-bench-")
    target = os.path.join(work, "Ordex2000")
    shutil.copytree(program_dir, target)
    env = dict(os.environ, DISPLAY=display, ORDEX_BENCH="1", QT_QPA_PLATFORM="xcb")
    t0 = time.time()
    proc = subprocess.Popen([os.path.join(target, "Ordex2000")], cwd=target, env=env,
                            stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
    shown = None
    for line in proc.stdout:
        if line.startswith("ORDEX_SHOWN"):
            shown = int(line.split()[1]) / 1000.0
            break
    if shown is None:
        proc.kill()
        sys.exit("the program ended before showing its main window")
    return proc, work, (shown - t0) * 1000.0


def stop(proc, work):
    proc.send_signal(signal.SIGTERM)
    try:
        proc.wait(timeout=5)
    except subprocess.TimeoutExpired:
        proc.kill()
        proc.wait()
    shutil.rmtree(work, ignore_errors=True)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--program-dir", required=True)
    parser.add_argument("--runs", type=int, default=10)
    parser.add_argument("--idle-seconds", type=float, default=30.0)
    args = parser.parse_args()

    xvfb, display = start_xvfb()
    try:
        times = []
        for _ in range(args.runs):
            proc, work, ms = launch(args.program_dir, display)
            times.append(ms)
            stop(proc, work)
        print("start-up to main window shown (ms): " + " ".join(f"{t:.0f}" for t in times))
        print(f"median {statistics.median(times):.0f} ms (target < 400 ms)")

        proc, work, _ = launch(args.program_dir, display)
        time.sleep(2.0)  # let the first show and its sounds settle
        hz = os.sysconf("SC_CLK_TCK")
        before = cpu_ticks(proc.pid)
        time.sleep(args.idle_seconds)
        after = cpu_ticks(proc.pid)
        stop(proc, work)
        share = (after - before) / hz / args.idle_seconds * 100.0
        print(f"idle CPU over {args.idle_seconds:.0f} s: {after - before} ticks = {share:.2f} % of one core"
              " (target < 0.5 %)")
    finally:
        xvfb.terminate()
        xvfb.wait()


if __name__ == "__main__":
    main()
