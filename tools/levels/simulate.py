#!/usr/bin/env python3
"""Plays a level's solution through a model of the game's rules, for
designing levels quickly; the game's own code replays the same solutions in
the test suite, which is what counts.

Usage: simulate.py assets/maps/mapN.txt [assets/solutions/mapN.txt] [--trace]
"""
import re
import sys

import level_source

ROLL, LIMIT, STEP = 0.08, 0.3, 0.02


def sign(v):
    return (v > 0) - (v < 0)


class Obj:
    def __init__(self, type_, l, w, h, x, y, z):
        self.type, self.length, self.width, self.height = type_, l, w, h
        self.x, self.y, self.z = x, y, z
        self.sx, self.sy, self.sz = x, y, z
        self.name = self.target = self.entered = ""
        self.shown, self.captured, self.arrived, self.hit, self.moving = 1, 0, 0, 0, 0
        self.mode, self.direction, self.next_active, self.period = 0, -1, 0.0, 2000
        self.goal = None
        self.rx = self.rz = 0.0

    def is_ball(self):
        return "ball" in self.type and self.name and not self.name.endswith("_")

    def scenery(self):
        return self.type in ("map", "skybox", "cleared", "num", "tryagain", "quit", "LIGHT")


def build(lines):
    objs = []
    for line in lines:
        v = {k: m for k, m in re.findall(r"<(\w+)>(.*?)</\1>", line)}
        f = lambda k: float(v.get(k, "0") or 0)
        t = v["TYPE"]
        if t == "BALL":
            for twin in (False, True):
                o = Obj("ball", .8, .8, 1., f("POSX"), f("POSY"), f("POSZ"))
                o.name = v["NAME"] + ("_" if twin else "")
                o.shown = 0 if twin else 1
                objs.append(o)
            continue
        kinds = {"SPIKE": "spike", "GOAL": "goal", "TRIGGER": "trigger", "BLOCK": "wall", "PLANE": "map"}
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
    return objs


class World:
    def __init__(self, objs):
        self.objs = objs
        self.board = next(o for o in objs if o.type == "map")
        self.group = any(o.type == "trigger" and o.mode == 1 for o in objs)
        self.now = 0.0
        self.events = []

    def find_type(self, t):
        return next((o for o in self.objs if o.type == t), None)

    def overlaps(self, o, p, x, z):
        point = o.x <= x <= o.x + o.length and o.z - o.width <= z <= o.z
        box = o.x <= x + p.length and o.x + o.length >= x and o.z >= z - p.width and o.z - o.width <= z
        if not (point or box):
            return False
        if o.type == "goal" and p.type == "ball":
            p.goal, p.captured = o, 1
        elif o.type == "spike" and p.is_ball():
            p.hit, p.shown = 1, 0
            self.events.append("popped " + p.name)
        elif o.is_ball() and p.type == "spike":
            o.hit, o.shown = 1, 0
            self.events.append("popped " + o.name)
        return True

    def move(self, p, x, z):
        for o in self.objs:
            if o is p or not o.shown or o.scenery() or o.captured or o.arrived:
                continue
            if self.overlaps(o, p, x, z):
                if p.is_ball() or p.type == "spike":
                    if o.type == "trigger":
                        if o.mode == 1:
                            o.hit = 1
                        else:
                            self.activate(o.target)
                    elif "warp" in o.type:
                        exit_ = self.find_type(o.target)
                        if exit_ is not o and o.next_active < self.now:
                            o.hit, o.entered = 1, p.name
                return False
        p.x, p.z = x, z
        return True

    def activate(self, t):
        for o in self.objs:
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
            for o in self.objs:
                if o.type == "trigger" and o.mode == 1:
                    o.hit = 0
        for b in self.objs:
            if "ball" not in b.type or b.next_active > self.now:
                continue
            if not b.shown:
                b.hit = 0
            elif b.arrived:
                pass
            elif b.captured:
                s = ROLL / 3.0
                for axis, gv in (("x", b.goal.x), ("z", b.goal.z)):
                    cur = getattr(b, axis)
                    setattr(b, axis, cur + s if cur < gv else cur - s if cur > gv else cur)
                if (b.x - b.goal.x) ** 2 + (b.z - b.goal.z) ** 2 <= 0.06 ** 2:
                    b.arrived = 1
                    self.events.append("home " + b.name)
            else:
                dz = sign(tx) * abs(tx) / LIMIT * ROLL if abs(tx) > 0.02 else 0
                dx = -sign(tz) * abs(tz) / LIMIT * ROLL if abs(tz) > 0.02 else 0
                self.move(b, b.x, b.z + dz)
                self.move(b, b.x + dx, b.z)
        if self.group:
            target = ""
            for o in self.objs:
                if o.type == "trigger" and o.mode == 1:
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
        for o in self.objs:
            if "spike" in o.type:
                dz = sign(tx) * abs(tx) / LIMIT * ROLL / 2 if abs(tx) > 0.01 else 0
                dx = -sign(tz) * abs(tz) / LIMIT * ROLL / 2 if abs(tz) > 0.01 else 0
                if o.direction == 2:
                    self.move(o, o.x, o.z + dz)
                elif o.direction == 0:
                    self.move(o, o.x + dx, o.z)
            elif "warp" in o.type and o.hit:
                o.hit = 0
                piece = next((p for p in self.objs if p.name == o.entered), None)
                exit_ = self.find_type(o.target)
                if piece is None or exit_ is None:
                    continue
                if exit_.next_active <= self.now + 500:
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
            elif "door" in o.type:
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
                    s = ROLL / 3.0
                    o.x = o.x + s if o.x < tx_ else o.x - s if o.x > tx_ else o.x
                    o.z = o.z + s if o.z < tz_ else o.z - s if o.z > tz_ else o.z
                    o.arrived = int((o.x - tx_) ** 2 + (o.z - tz_) ** 2 <= 0.04 ** 2)

    def ball_positions(self):
        return " ".join("%s(%.2f,%.2f)" % (o.name, o.x, o.z) for o in self.objs if o.is_ball() and o.shown)

    def all_home(self):
        balls = [o for o in self.objs if o.is_ball() and o.shown]
        return bool(balls) and all(o.arrived for o in balls)


def read_solution(path):
    ticks = []
    with open(path) as f:
        for raw in f:
            line = raw.split("#", 1)[0].split()
            if not line:
                continue
            ticks += [line[1] if len(line) > 1 else "-"] * int(line[0])
    return ticks


def run(map_path, solution_path, trace=False):
    level = level_source.parse(map_path)
    world = World(build(level_source.records(level)))
    for tick, keys in enumerate(read_solution(solution_path), start=1):
        world.now = tick * 10.0
        world.tilt(keys)
        world.step_balls()
        world.step_objects()
        for e in world.events:
            print("tick %5d: %s" % (tick, e))
        world.events = []
        if trace and tick % 25 == 0:
            print("tick %5d tilt(%.2f,%.2f) %s" % (tick, world.board.rx, world.board.rz, world.ball_positions()))
        if world.all_home():
            print("cleared at tick %d (%.1f s)" % (tick, tick / 100.0))
            return True
    print("NOT cleared; balls: " + world.ball_positions())
    return False


if __name__ == "__main__":
    args = [a for a in sys.argv[1:] if not a.startswith("--")]
    sol = args[1] if len(args) > 1 else args[0].replace("/maps/", "/solutions/")
    sys.exit(0 if run(args[0], sol, "--trace" in sys.argv) else 1)
