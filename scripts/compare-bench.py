#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Kormix developers
"""Compares two builds of a benchmark executable in one sitting, as a ratio.

    scripts/compare-bench.py OLD NEW [ROUNDS] [FILTER] [COUNTER]

runs OLD and NEW in turn ROUNDS times (default 8; the order flips every round), each with
three repetitions in random order, and prints per benchmark the median and the minimum of
COUNTER (default per_collision, in ns) over all runs of each build, and NEW / OLD. A busy
machine makes single figures noisy; the median and the minimum of alternating runs are what
to compare. Benchmarks found in only one build are listed for that build alone.
"""
import json
import statistics
import subprocess
import sys


def main():
    old, new = sys.argv[1], sys.argv[2]
    rounds = int(sys.argv[3]) if len(sys.argv) > 3 else 8
    pattern = sys.argv[4] if len(sys.argv) > 4 else "BM_RunCollisions"
    counter = sys.argv[5] if len(sys.argv) > 5 else "per_collision"
    figures = {}
    for r in range(rounds):
        builds = [("old", old), ("new", new)]
        for tag, exe in builds if r % 2 == 0 else builds[::-1]:
            out = subprocess.run([exe, "--benchmark_filter=" + pattern,
                                  "--benchmark_min_time=0.2", "--benchmark_repetitions=3",
                                  "--benchmark_enable_random_interleaving=true",
                                  "--benchmark_format=json"],
                                 capture_output=True, text=True, check=True).stdout
            for b in json.loads(out)["benchmarks"]:
                if b.get("run_type") == "iteration":
                    figures.setdefault(b["run_name"], {}).setdefault(tag, []).append(
                        b[counter] * 1e9)
    for name in sorted(figures):
        runs = figures[name]
        line = f"{name:55s}"
        for tag in ("old", "new"):
            if tag in runs:
                line += (f"  {tag} median {statistics.median(runs[tag]):6.2f}"
                         f" min {min(runs[tag]):6.2f}")
        if "old" in runs and "new" in runs:
            line += (f"  new/old median {statistics.median(runs['new']) / statistics.median(runs['old']):.3f}"
                     f" min {min(runs['new']) / min(runs['old']):.3f}")
        print(line)


if __name__ == "__main__":
    main()
