#!/usr/bin/env python3
"""Finds the fewest tilt moves (see moves.py) that bring every ball home
without losing one, by a breadth-first search over the places the pieces
come to rest in. A design aid: it tells whether a level can be solved and
how many moves it takes.

Usage: solve.py assets/maps/mapN.txt [--max-states N]
"""
import sys

import moves
import simulate


def state_key(world):
    return (tuple((round(o.x, 2), round(o.z, 2), o.shown, o.arrived) for o in world.real_balls + world.spikes),
            tuple((round(d.x, 2), round(d.z, 2), d.mode) for d in world.doors), world.group)


def solve(map_path, max_states=20000):
    world = simulate.World.from_source(map_path)
    start = world.snapshot()
    frontier = [(start, [])]
    seen = {state_key(world)}
    while frontier:
        following = []
        for snap, words in frontier:
            for d in moves.DIRECTIONS:
                world.restore(snap)
                keys = []
                moves.roll(world, d, keys)
                if world.lost_a_ball():
                    continue
                if world.all_home():
                    return words + [d], len(seen)
                if world.tick_count >= simulate.COUNTDOWN_TICKS:
                    continue
                key = state_key(world)
                if key in seen:
                    continue
                seen.add(key)
                following.append((world.snapshot(), words + [d]))
                if len(seen) > max_states:
                    return None, len(seen)
        frontier = following
    return None, len(seen)


if __name__ == "__main__":
    args = [a for a in sys.argv[1:] if not a.startswith("--")]
    limit = 20000
    if "--max-states" in sys.argv:
        limit = int(sys.argv[sys.argv.index("--max-states") + 1])
        args = args[:-1]
    words, states = solve(args[0], limit)
    print("%s  (%d states)" % (" ".join(words) if words else "no solution", states))
    sys.exit(0 if words else 1)
