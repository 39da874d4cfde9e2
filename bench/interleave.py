#!/usr/bin/env python3
"""Two builds of glimmerlux_bench measured in turns on the same machine, so that a busy spell
lands on both: each round runs both binaries (the order swapped every round) on the same cases,
and every ratio is taken within one binary's run, as the bench's own table takes it.

  bench/interleave.py BEFORE AFTER --filter REGEX --rounds N [--pair OURS=REFERENCE ...]

Prints the median CPU time of every case in both builds, then for each pair the ratio of the
two cases' medians in each run of each build and the median of those. A pair may use {m} for
every matrix mode and {s} for every simulation the bench registers.
"""
import argparse
import json
import statistics
import subprocess
import sys
import tempfile

MODES = ["Grayscale", "Sepia", "Protanopia", "Deuteranopia", "Tritanopia", "ProtanopiaCorrection",
         "DeuteranopiaCorrection", "TritanopiaCorrection"]
SIMULATIONS = ["Protanopia", "Deuteranomaly50", "Tritanopia"]


def medians(binary, case_filter):
    with tempfile.NamedTemporaryFile(suffix=".json") as out:
        subprocess.run([binary, "--benchmark_filter=" + case_filter, "--benchmark_out=" + out.name,
                        "--benchmark_out_format=json"], check=True, stdout=subprocess.DEVNULL)
        runs = json.load(open(out.name))["benchmarks"]
    return {r["run_name"]: r["cpu_time"] for r in runs if r.get("aggregate_name") == "median"}


def expand(pair):
    ours, reference = pair.split("=")
    for key, values in (("{m}", MODES), ("{s}", SIMULATIONS)):
        if key in ours:
            return [(ours.replace(key, v), reference.replace(key, v)) for v in values]
    return [(ours, reference)]


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("before")
    parser.add_argument("after")
    parser.add_argument("--filter", required=True)
    parser.add_argument("--rounds", type=int, default=3)
    parser.add_argument("--pair", action="append", default=[])
    parser.add_argument("--save", help="keeps every run's medians in this JSON file")
    parser.add_argument("--load", help="prints the runs kept by --save instead of running")
    args = parser.parse_args()
    builds = {"before": args.before, "after": args.after}
    runs = json.load(open(args.load)) if args.load else {name: [] for name in builds}
    for round_ in range(0 if args.load else args.rounds):
        order = ["before", "after"] if round_ % 2 == 0 else ["after", "before"]
        for name in order:
            runs[name].append(medians(builds[name], args.filter))
            print(f"round {round_ + 1}: {name} done", file=sys.stderr)
            if args.save:
                json.dump(runs, open(args.save, "w"), indent=1)
    cases = sorted(set().union(*(r.keys() for rs in runs.values() for r in rs)))
    print("| case | before (us) | after (us) | after / before |")
    print("|---|---:|---:|---:|")
    for case in cases:
        times = [[r[case] for r in runs[name] if case in r] for name in ("before", "after")]
        b, a = (statistics.median(t) if t else None for t in times)
        cells = [f"{x:.0f}" if x else "-" for x in (b, a)]
        change = f"{a / b:.2f}" if a and b else "-"
        print(f"| {case} | {cells[0]} | {cells[1]} | {change} |")
    print()
    print("| ours | reference | before: ratio per run (median) | after: ratio per run (median) |")
    print("|---|---|---|---|")
    for pair in args.pair:
        for ours, reference in expand(pair):
            cells = []
            for name in ("before", "after"):
                ratios = [r[ours] / r[reference] for r in runs[name] if ours in r and reference in r]
                listed = " ".join(f"{x:.2f}" for x in ratios)
                cells.append(f"{listed} ({statistics.median(ratios):.2f})" if ratios else "-")
            print(f"| {ours} | {reference} | {cells[0]} | {cells[1]} |")


if __name__ == "__main__":
    main()
