#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Kormix developers
# Compares two builds of the benchmark executable by the instructions the collision loop
# executes, counted by callgrind, so that a busy machine cannot blur the comparison:
#
#     scripts/compare-instructions.sh OLD NEW [FILTER...]
#
# Each FILTER (default: the N = 1000 runs of BM_RunCollisions) runs one iteration of a
# million collisions after its settling run in each build; only the instructions inside
# Simulation::RunCollisions are counted. Prints both counts and NEW / OLD per filter.
set -euo pipefail
old=$1
new=$2
shift 2
filters=("$@")
[ ${#filters[@]} -gt 0 ] || filters=('BM_RunCollisions/N:1000/saveAll:0$' 'BM_RunCollisions/N:1000/saveAll:1$')
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

count() {
    valgrind --tool=callgrind --callgrind-out-file="$out/cg" \
        --toggle-collect='kormix::Simulation::RunCollisions*' \
        "$1" --benchmark_filter="$2" --benchmark_min_time=0.01 >/dev/null 2>&1
    sed -n 's/^totals: //p' "$out/cg"
}

for f in "${filters[@]}"; do
    a=$(count "$old" "$f")
    b=$(count "$new" "$f")
    printf '%s\told %s\tnew %s\tnew/old %s\n' "$f" "$a" "$b" \
        "$(python3 -c "print(f'{$b / $a:.4f}')")"
done
