#!/usr/bin/env python3
"""Moves: the way a careful player tilts, written as words and played out
tick by tick through the simulator.

  U D L R, UL UR DL DR   tilt fully that way, hold until every ball and
                         spike is still, then bring the board back level and
                         wait for doors and warps to settle
  wN                     hold nothing for N ticks

A solution file begins with a line "# moves: ..."; `moves.py record` plays
those words and writes the held keys per tick below it, as the game's replay
test reads them.

Usage: moves.py record assets/solutions/mapN.txt [...]
"""
import os
import sys

import simulate

OPPOSITE = {"U": "D", "D": "U", "L": "R", "R": "L"}
DIRECTIONS = ["U", "D", "L", "R", "UL", "UR", "DL", "DR"]
RAMP = int(round(simulate.LIMIT / simulate.STEP))
MAX_HOLD = 1500
MAX_SETTLE = 600
SLACK = 100


def pieces(world):
    return [o for o in world.real_balls if o.shown] + world.spikes


def still(world, before):
    now = [(o.x, o.z, o.shown) for o in pieces(world)]
    busy = any(o.next_active > world.now or (o.captured and not o.arrived) for o in world.real_balls if o.shown)
    return now == before and not busy, now


def quiet(world):
    return not any(d.moving for d in world.doors) and \
        not any(w.next_active > world.now or w.hit for w in world.warps)


def roll(world, direction, keys_out):
    """One tilt move; the keys it held are appended to keys_out. False when
    the countdown ran out or everything is already home."""
    def tick(keys):
        world.tick(keys)
        keys_out.append(keys)
        return not world.all_home() and world.tick_count < simulate.COUNTDOWN_TICKS

    def hold(keys, ticks):
        return all(tick(keys) for _ in range(ticks))

    def wait_until_still(limit, settled=lambda: True):
        before = None
        for _ in range(limit):
            if not tick("-"):
                return False
            done, before = still(world, before)
            if done and settled():
                break
        return True

    back = "".join(OPPOSITE[k] for k in direction)
    return hold(direction, RAMP) and wait_until_still(MAX_HOLD) and hold(back, RAMP) and \
        wait_until_still(MAX_SETTLE, lambda: quiet(world))


def play_words(world, words):
    """Plays the words; the held keys, tick by tick, up to the clearing."""
    keys = []
    for word in words:
        if word.startswith("w"):
            for _ in range(int(word[1:])):
                world.tick("-")
                keys.append("-")
                if world.all_home():
                    return keys
        elif word in DIRECTIONS:
            if not roll(world, word, keys):
                return keys
        else:
            raise ValueError("unknown move %r" % word)
    return keys


def runs(keys):
    out = []
    for k in keys:
        if out and out[-1][1] == k:
            out[-1][0] += 1
        else:
            out.append([1, k])
    return out


def read_words(solution_path):
    with open(solution_path) as f:
        for line in f:
            if line.startswith("# moves:"):
                return line.split(":", 1)[1].split()
    raise ValueError("%s has no '# moves:' line" % solution_path)


def record(solution_path):
    map_path = solution_path.replace("/solutions/", "/maps/")
    words = read_words(solution_path)
    world = simulate.World.from_source(map_path)
    keys = play_words(world, words)
    name = os.path.basename(solution_path)
    if not world.all_home() or world.lost_a_ball():
        print("%s: the moves do not clear it: %s" % (name, world.ball_positions()))
        return False
    with open(solution_path, "w") as f:
        f.write("# moves: %s\n" % " ".join(words))
        f.write("# ticks keys: keys held for that many game ticks (L R D U, or - for none)\n")
        # A little slack at the end: the game's arithmetic may bring a ball
        # home a few ticks later than the simulator's.
        for count, k in runs(keys + ["-"] * SLACK):
            f.write("%d %s\n" % (count, k))
    print("%s: %d moves, cleared at tick %d (%.1f s)" % (name, len(words), len(keys),
                                                        len(keys) * simulate.TICK_MS / 1000))
    return True


if __name__ == "__main__":
    if len(sys.argv) < 3 or sys.argv[1] != "record":
        print(__doc__)
        sys.exit(2)
    sys.exit(0 if all([record(p) for p in sys.argv[2:]]) else 1)
