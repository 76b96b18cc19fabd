#!/usr/bin/env python3
"""Tables of the benchmark programs' JSON output (--benchmark_out=FILE.json): each operation of the
library ("<work>:rkbasekit") next to its peers ("<work>:<peer>") with the ratio, and, given a second
run of the same programs built from an earlier commit (--before), the earlier time too. Times are
CPU time per iteration (steadier than wall time on a shared machine); medians are used when the runs
were repeated (--benchmark_repetitions), otherwise the single time."""
import argparse
import json
import sys

UNIT_NS = {"ns": 1.0, "us": 1e3, "ms": 1e6, "s": 1e9}


def times(paths):
    """Nanoseconds per iteration by benchmark name (the median when repeated)."""
    found = {}
    for path in paths:
        with open(path) as f:
            data = json.load(f)
        for b in data["benchmarks"]:
            if b.get("run_type") == "aggregate" and b.get("aggregate_name") != "median":
                continue
            name = b.get("run_name", b["name"])
            found[name] = b["cpu_time"] * UNIT_NS[b["time_unit"]]
    return found


def show(ns):
    if ns is None:
        return ""
    if ns >= 1e6:
        return f"{ns / 1e6:.2f} ms"
    if ns >= 1e3:
        return f"{ns / 1e3:.2f} µs"
    return f"{ns:.1f} ns"


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("after", nargs="+", help="JSON output of the programs as they are")
    parser.add_argument("--before", nargs="*", default=[], help="JSON output of the earlier build")
    args = parser.parse_args()
    after, before = times(args.after), times(args.before)
    print("| Work | before | rkbasekit | peer | peer time | ratio |")
    print("|---|---:|---:|---|---:|---:|")
    for name, ns in after.items():
        work, _, who = name.rpartition(":")
        if who != "rkbasekit":
            continue
        peers = [(n.rpartition(":")[2], t) for n, t in after.items() if n.rpartition(":")[0] == work and n != name]
        old = before.get(name, before.get(work))
        if not peers:
            print(f"| {work} | {show(old)} | {show(ns)} | | | |")
        for peer, t in peers:
            print(f"| {work} | {show(old)} | {show(ns)} | {peer} | {show(t)} | {ns / t:.2f}x |")
    return 0


if __name__ == "__main__":
    sys.exit(main())
