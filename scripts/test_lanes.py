#!/usr/bin/env python3
"""Splits the tests CTest would run into lanes that can run side by side.

A test program that takes the display or the emulated keyboard to itself
(its RESOURCE_LOCK) must not share them with another; each lane has a
display, a Wine prefix and so an emulated keyboard of its own, so locked
programs in different lanes do not meet.  Locked programs are spread over
the lanes by their last run time (longest first, each to the lane with the
least so far); programs without locks run in lane 0, in parallel.

Reads `ctest --show-only=json-v1` on standard input; argument: the number
of lanes; optional second argument: CTest's cost file of earlier runs.
Prints one line a lane that has tests: the lane's number and an anchored
regular expression of its tests' names.
"""
import json
import re
import sys


def last_costs(path):
    costs = {}
    try:
        with open(path, encoding="utf-8") as f:
            for line in f:
                parts = line.split()
                if line.startswith("---"):
                    break
                if len(parts) == 3:
                    costs[parts[0]] = float(parts[2])
    except OSError:
        pass
    return costs


def main():
    lanes = max(1, int(sys.argv[1]))
    costs = last_costs(sys.argv[2]) if len(sys.argv) > 2 else {}
    tests = json.load(sys.stdin).get("tests", [])
    plan = [[] for _ in range(lanes)]
    load = [0.0] * lanes
    locked = []
    for test in tests:
        props = {p["name"]: p["value"] for p in test.get("properties", [])}
        if props.get("RESOURCE_LOCK"):
            # A program never run before counts as a long one.
            locked.append((costs.get(test["name"], 120.0), test["name"]))
        else:
            plan[0].append(test["name"])
    for cost, name in sorted(locked, reverse=True):
        lane = min(range(lanes), key=lambda i: load[i])
        plan[lane].append(name)
        load[lane] += cost
    for lane, names in enumerate(plan):
        if names:
            print(lane, "^(" + "|".join(re.escape(n) for n in names) + ")$")


if __name__ == "__main__":
    main()
