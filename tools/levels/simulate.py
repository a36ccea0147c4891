#!/usr/bin/env python3
"""Plays a level's solution through a model of the game's rules, for
designing levels quickly; the game's own code replays the same solutions in
the test suite, which is what counts.

Usage: simulate.py assets/maps/mapN.txt [assets/solutions/mapN.txt] [--trace]

The model steps the game as the replay test does, one tick every TICK_MS of
clock. Walls never move and come first in the map's object list, so they are
looked up in a grid of cells instead of walked one by one.
"""
import math
import re
import sys

import level_source

ROLL, LIMIT, STEP = 0.08, 0.3, 0.02
TICK_MS = 11.0          # the replay test's tick: a little slower than the fastest game
COUNTDOWN_TICKS = int(100000 / TICK_MS)
KEYS = {"L", "R", "D", "U"}


def sign(v):
    return (v > 0) - (v < 0)


class Obj:
    __slots__ = ("type", "length", "width", "height", "x", "y", "z", "sx", "sz", "name", "target",
                 "entered", "shown", "captured", "arrived", "hit", "moving", "mode", "direction",
                 "next_active", "period", "goal", "real_ball", "rx", "rz")

    def __init__(self, type_, l, w, h, x, y, z):
        self.type, self.length, self.width, self.height = type_, l, w, h
        self.x, self.y, self.z = x, y, z
        self.sx, self.sz = x, z
        self.name = self.target = self.entered = ""
        self.shown, self.captured, self.arrived, self.hit, self.moving = 1, 0, 0, 0, 0
        self.mode, self.direction, self.next_active, self.period = 0, -1, 0.0, 2000
        self.goal = None
        self.real_ball = False
        self.rx = self.rz = 0.0

    def touches(self, p, x, z):
        return self.x <= x + p.length and self.x + self.length >= x and \
            self.z >= z - p.width and self.z - self.width <= z


def build(lines):
    """The game objects the map reader makes from the map's plain lines,
    in list order; walls are returned apart, as boxes."""
    objs, walls, board = [], [], None
    for line in lines:
        v = {k: m for k, m in re.findall(r"<(\w+)>(.*?)</\1>", line)}
        f = lambda k: float(v.get(k, "0") or 0)
        t = v["TYPE"]
        if t == "BALL":
            for twin in (False, True):
                o = Obj("ball", .8, .8, 1., f("POSX"), f("POSY"), f("POSZ"))
                o.name = v["NAME"] + ("_" if twin else "")
                o.shown = 0 if twin else 1
                o.real_ball = not twin
                objs.append(o)
            continue
        if t == "BLOCK":
            walls.append((f("POSX"), f("POSZ"), f("LENGTH"), f("WIDTH")))
            continue
        if t == "PLANE":
            board = Obj("map", f("LENGTH"), f("WIDTH"), 0, f("POSX"), 0, f("POSZ"))
            continue
        kinds = {"SPIKE": "spike", "GOAL": "goal", "TRIGGER": "trigger"}
        if t in ("DOOR", "WARP"):
            type_ = v["NAME"]
        elif t in kinds:
            type_ = kinds[t]
        else:
            continue
        o = Obj(type_, f("LENGTH"), f("WIDTH"), f("HEIGHT"), f("POSX"), f("POSY"), f("POSZ"))
        o.name = v.get("NAME", "") if t == "SPIKE" else ""
        o.target = v.get("TARGET", "")
        if t == "TRIGGER" and v.get("MODE") == "S":
            o.mode = 1
        d = v.get("DIRECTION", "")[:1]
        if d and d in "XYZxyz":
            o.direction = "XYZxyz".index(d)
        objs.append(o)
    return board, walls, objs


class WallGrid:
    """Unit cells of the walls, by the integer corner of each cell."""

    def __init__(self, walls):
        self.cells = set()
        self.ox = self.oz = 0.0
        if walls:
            self.ox = walls[0][0] - math.floor(walls[0][0])
            self.oz = walls[0][1] - math.floor(walls[0][1])
        for x, z, length, width in walls:
            for i in range(int(round(length))):
                for k in range(int(round(width))):
                    self.cells.add((int(round(x - self.ox)) + i, int(round(z - self.oz)) - k))

    def touched(self, length, width, x, z):
        # A cell spans [cx, cx + 1] x [cz - 1, cz] (offset by ox, oz); edges touch.
        x -= self.ox
        z -= self.oz
        for cx in range(math.ceil(x - 1 - 1e-9), math.floor(x + length + 1e-9) + 1):
            if not (cx <= x + length and cx + 1 >= x):
                continue
            for cz in range(math.ceil(z - width - 1e-9), math.floor(z + 1 + 1e-9) + 1):
                if (cx, cz) in self.cells and cz >= z - width and cz - 1 <= z:
                    return True
        return False


class World:
    def __init__(self, board, walls, objs):
        self.board = board
        self.grid = WallGrid(walls)
        self.objs = objs
        self.by_type = {}
        self.by_name = {}
        for o in objs:
            self.by_type.setdefault(o.type, o)
            self.by_name.setdefault(o.name, o)
        self.balls = [o for o in objs if o.type == "ball"]
        self.real_balls = [o for o in objs if o.real_ball]
        self.spikes = [o for o in objs if "spike" in o.type]
        self.warps = [o for o in objs if "warp" in o.type]
        self.doors = [o for o in objs if "door" in o.type]
        self.group_triggers = [o for o in objs if o.type == "trigger" and o.mode == 1]
        self.group = bool(self.group_triggers)
        self.now = 0.0
        self.tick_count = 0
        self.events = []

    @classmethod
    def from_source(cls, path):
        return cls(*build(level_source.records(level_source.parse(path), with_camera=False)))

    def move(self, p, x, z):
        """The game's move: refused when the new place touches an obstacle,
        and the first obstacle touched (in list order) acts."""
        if self.grid.touched(p.length, p.width, x, z):
            return False
        for o in self.objs:
            if o is p or not o.shown or o.captured or o.arrived or not o.touches(p, x, z):
                continue
            if o.type == "goal" and p.type == "ball":
                p.goal, p.captured = o, 1
            elif o.type == "spike" and p.real_ball:
                p.hit, p.shown = 1, 0
                self.events.append("popped " + p.name)
            elif o.real_ball and p.type == "spike":
                o.hit, o.shown = 1, 0
                self.events.append("popped " + o.name)
            if p.real_ball or p.type == "spike":
                if o.type == "trigger":
                    if o.mode == 1:
                        o.hit = 1
                    else:
                        self.activate(o.target)
                elif "warp" in o.type:
                    if self.by_type.get(o.target) is not o and o.next_active < self.now:
                        o.hit, o.entered = 1, p.name
            return False
        p.x, p.z = x, z
        return True

    def activate(self, t):
        for o in self.doors:
            if o.type == t and not o.moving:
                o.moving = 1

    def tilt(self, keys):
        b = self.board
        clamp = lambda v: max(-LIMIT, min(LIMIT, v))
        if "R" in keys: b.rx = clamp(b.rx - STEP)
        if "L" in keys: b.rx = clamp(b.rx + STEP)
        if "U" in keys: b.rz = clamp(b.rz - STEP)
        if "D" in keys: b.rz = clamp(b.rz + STEP)

    def step_balls(self):
        tx, tz = self.board.rx, self.board.rz
        if self.group:
            for o in self.group_triggers:
                o.hit = 0
        dz = sign(tx) * abs(tx) / LIMIT * ROLL if abs(tx) > 0.02 else 0
        dx = -sign(tz) * abs(tz) / LIMIT * ROLL if abs(tz) > 0.02 else 0
        for b in self.balls:
            if b.next_active > self.now:
                continue
            if not b.shown:
                b.hit = 0
            elif b.arrived:
                pass
            elif b.captured:
                s = ROLL * 0.33333334
                g = b.goal
                b.x = b.x + s if b.x < g.x else b.x - s if b.x > g.x else b.x
                b.z = b.z + s if b.z < g.z else b.z - s if b.z > g.z else b.z
                if (b.x - g.x) ** 2 + (b.z - g.z) ** 2 <= 0.06 ** 2:
                    b.arrived = 1
                    self.events.append("home " + b.name)
            else:
                self.move(b, b.x, b.z + dz)
                self.move(b, b.x + dx, b.z)
        if self.group:
            target = ""
            for o in self.group_triggers:
                if not o.hit:
                    target = ""
                    break
                target = target or o.target
            if target:
                self.activate(target)
                self.group = False
                self.events.append("group fired")

    def step_objects(self):
        tx, tz = self.board.rx, self.board.rz
        dz = sign(tx) * abs(tx) / LIMIT * ROLL / 2 if abs(tx) > 0.01 else 0
        dx = -sign(tz) * abs(tz) / LIMIT * ROLL / 2 if abs(tz) > 0.01 else 0
        for o in self.objs:
            if "spike" in o.type:
                if o.direction == 2:
                    self.move(o, o.x, o.z + dz)
                elif o.direction == 0:
                    self.move(o, o.x + dx, o.z)
            elif "warp" in o.type:
                if o.hit:
                    self.carry(o)
            elif "door" in o.type:
                self.slide(o)

    def carry(self, o):
        o.hit = 0
        piece = self.by_name.get(o.entered)
        exit_ = self.by_type.get(o.target)
        if piece is None or exit_ is None or exit_.next_active > self.now + 500:
            return
        px, pz = exit_.x, exit_.z
        d = exit_.direction
        if d == 0: px = exit_.x + exit_.length + 0.2
        elif d == 2: pz = exit_.z + exit_.width + 0.2
        elif d == 3: px = exit_.x - (piece.length + 0.2)
        elif d == 5: pz = exit_.z - (piece.width + 0.2)
        exit_.next_active = self.now + exit_.period
        piece.x, piece.y, piece.z = px, 0.0, pz
        piece.next_active = self.now + 300
        self.events.append("warped %s to %s" % (piece.name, exit_.type))

    def slide(self, o):
        if o.arrived:
            o.mode = 1 - o.mode if o.mode in (0, 1) else 0
            o.moving = o.arrived = 0
            self.events.append("door %s %s" % (o.type, "open" if o.mode else "shut"))
        elif o.moving:
            k = 1 if o.mode == 0 else 0
            tx_, tz_ = o.sx, o.sz
            d = o.direction
            if d == 0: tx_ += k * o.length
            elif d == 2: tz_ += k * o.width
            elif d == 3: tx_ -= k * o.length
            elif d == 5: tz_ -= k * o.width
            s = ROLL * 0.33333334
            o.x = o.x + s if o.x < tx_ else o.x - s if o.x > tx_ else o.x
            o.z = o.z + s if o.z < tz_ else o.z - s if o.z > tz_ else o.z
            o.arrived = int((o.x - tx_) ** 2 + (o.z - tz_) ** 2 <= 0.04 ** 2)

    def tick(self, keys):
        self.tick_count += 1
        self.now = self.tick_count * TICK_MS
        self.tilt(keys)
        self.step_balls()
        self.step_objects()

    FIELDS = ("x", "z", "shown", "captured", "arrived", "hit", "moving", "mode", "next_active", "entered",
              "goal")

    def snapshot(self):
        return ([tuple(getattr(o, f) for f in self.FIELDS) for o in self.objs],
                self.board.rx, self.board.rz, self.group, self.now, self.tick_count)

    def restore(self, snap):
        values, self.board.rx, self.board.rz, self.group, self.now, self.tick_count = snap
        for o, v in zip(self.objs, values):
            for f, x in zip(self.FIELDS, v):
                setattr(o, f, x)

    def ball_positions(self):
        return " ".join("%s(%.2f,%.2f)" % (o.name, o.x, o.z) for o in self.real_balls if o.shown)

    def all_home(self):
        shown = [o for o in self.real_balls if o.shown]
        return bool(shown) and all(o.arrived for o in shown)

    def none_shown(self):
        return not any(o.shown for o in self.real_balls)

    def lost_a_ball(self):
        return not all(o.shown for o in self.real_balls)


def read_solution(path):
    ticks = []
    with open(path) as f:
        for raw in f:
            line = raw.split("#", 1)[0].split()
            if not line:
                continue
            ticks += [line[1] if len(line) > 1 else "-"] * int(line[0])
    return ticks


def play(world, ticks, trace=False, out=print):
    """Plays held keys tick by tick; the tick the level clears at, or None."""
    for keys in ticks:
        world.tick(keys)
        for e in world.events:
            out("tick %5d: %s" % (world.tick_count, e))
        world.events = []
        if trace and world.tick_count % 25 == 0:
            out("tick %5d tilt(%.2f,%.2f) %s" % (world.tick_count, world.board.rx, world.board.rz,
                                                 world.ball_positions()))
        if world.all_home():
            return world.tick_count
        if world.tick_count >= COUNTDOWN_TICKS:
            break
    return None


def run(map_path, solution_path, trace=False):
    world = World.from_source(map_path)
    cleared = play(world, read_solution(solution_path), trace)
    if cleared is None:
        print("NOT cleared; balls: " + world.ball_positions())
        return False
    lost = " (a ball was lost)" if world.lost_a_ball() else ""
    print("cleared at tick %d (%.1f s)%s" % (cleared, cleared * TICK_MS / 1000.0, lost))
    return not lost


if __name__ == "__main__":
    args = [a for a in sys.argv[1:] if not a.startswith("--")]
    sol = args[1] if len(args) > 1 else args[0].replace("/maps/", "/solutions/")
    sys.exit(0 if run(args[0], sol, "--trace" in sys.argv) else 1)
