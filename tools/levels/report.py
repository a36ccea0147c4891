#!/usr/bin/env python3
"""The level report: for every level of the chain, its size, its objects,
its idea, how long its recorded solution takes, and the share of random
players that clear it, as a Markdown table.

A random player (seeded, one seed per run) holds one of the eight tilt
directions or no key, picked at random, for 5 to 60 ticks at a time, and
goes on until the level is cleared (every ball still shown is home), fails
(no ball left) or its 100 seconds run out. A level is also flagged when
holding one direction alone clears it.

Usage: report.py [--runs N] [--jobs N] [mapN ...]
"""
import glob
import os
import random
import sys
from multiprocessing import Pool

import level_source
import moves
import simulate

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
MAPS = os.path.join(ROOT, "assets", "maps")
SOLUTIONS = os.path.join(ROOT, "assets", "solutions")
CHOICES = ["-", "U", "D", "L", "R", "UL", "UR", "DL", "DR"]


def random_run(map_path, seed):
    """True when a random player clears the level."""
    rng = random.Random(seed)
    world = simulate.World.from_source(map_path)
    while world.tick_count < simulate.COUNTDOWN_TICKS:
        keys = rng.choice(CHOICES)
        for _ in range(rng.randint(5, 60)):
            world.tick(keys)
            if world.all_home():
                return True
            if world.none_shown():
                return False
    return False


def held_direction_clears(map_path):
    for d in moves.DIRECTIONS:
        world = simulate.World.from_source(map_path)
        if simulate.play(world, [d] * simulate.COUNTDOWN_TICKS, out=lambda _: None):
            return d
    return ""


def chain():
    """Level names from map1 along NEXT to FINISH."""
    names, name = [], "map1"
    while name != "FINISH" and name not in names and os.path.exists(os.path.join(MAPS, name + ".txt")):
        names.append(name)
        name = level_source.parse(os.path.join(MAPS, name + ".txt")).next
    return names


def idea(map_path):
    with open(map_path) as f:
        first = f.readline()
    return first.lstrip("#").strip() if first.startswith("#") else ""


def objects(level):
    counts = {}
    for o in level.objects:
        kind = "group trigger" if o["kind"] == "trigger" and o["opts"].get("mode") == "S" else o["kind"]
        counts[kind] = counts.get(kind, 0) + 1
    order = ["ball", "goal", "trigger", "group trigger", "door", "warp", "spike"]
    return ", ".join("%d %s%s" % (counts[k], k, "s" if counts[k] > 1 else "") for k in order if k in counts)


def solution_seconds(map_path, name):
    world = simulate.World.from_source(map_path)
    cleared = simulate.play(world, simulate.read_solution(os.path.join(SOLUTIONS, name + ".txt")),
                            out=lambda _: None)
    if cleared is None or world.lost_a_ball():
        return None
    return cleared * simulate.TICK_MS / 1000.0


def main():
    args = sys.argv[1:]
    runs, jobs = 200, 4
    if "--runs" in args:
        i = args.index("--runs")
        runs = int(args[i + 1])
        del args[i:i + 2]
    if "--jobs" in args:
        i = args.index("--jobs")
        jobs = int(args[i + 1])
        del args[i:i + 2]
    names = args or chain()
    paths = [os.path.join(MAPS, n + ".txt") for n in names]
    with Pool(jobs) as pool:
        cleared = pool.starmap(random_run, [(p, "%s:%d" % (n, s)) for p, n in zip(paths, names) for s in range(runs)])
        held = pool.map(held_direction_clears, paths)
    print("| level | size | objects | idea | solution | random runs cleared |")
    print("|---|---|---|---|---|---|")
    for i, (name, path) in enumerate(zip(names, paths)):
        level = level_source.parse(path)
        seconds = solution_seconds(path, name)
        share = sum(cleared[i * runs:(i + 1) * runs])
        note = " (holding %s clears it)" % held[i] if held[i] else ""
        print("| %s | %d × %d | %s | %s | %s | %d of %d%s |" % (
            name, len(level.rows[0]), len(level.rows), objects(level), idea(path),
            "%.1f s" % seconds if seconds is not None else "FAILS", share, runs, note))


if __name__ == "__main__":
    main()
