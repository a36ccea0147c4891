"""Level sources: a picture of the board as the player sees it, and what its
letters stand for. This turns one into the records of a map file.

The picture is drawn from the camera: its top row is the far edge of the
board (+x) and its left column the left edge (+z). Each character is a 1 x 1
cell; '#' is wall, '.' floor, and every other letter is an object whose
cells form one rectangle. A source file:

    next map2                    name of the next map, or FINISH
    camera X Y Z                 optional camera; "camera default" keeps the game's own
    light SPOT X Y Z follow=NAME optional; without one, a spot high above the middle
    key B ball orb1              a letter and the object it stands for
    key G goal goal
    key T trigger target=gate [mode=S]
    key D door gate dir=z
    key W warp warpA target=warpB dir=X
    key S spike spike1 dir=Z
    grid
    ########
    #B....G#
    ########
"""
import math
import os
import re

BALL_SIZE = 0.8     # the map reader gives every ball this footprint
SPIKE_SIZE = 0.8
WALL_HEIGHT = 1.0
HEIGHTS = {"goal": 0.2, "trigger": 0.2, "door": WALL_HEIGHT, "warp": 0.5, "spike": 0.8}
# The rules find doors and warps by these words in their names.
NAME_WORDS = {"door": "door", "warp": "warp"}


class Level:
    def __init__(self, name):
        self.name = name          # map file name without ".mn"
        self.next = "FINISH"
        self.camera = None        # None: fitted to the board; "default": the game's own
        self.lights = []          # (kind, x, y, z, follow)
        self.rows = []
        self.walls = []           # (x, z, length, width): x and z of the +z edge corner
        self.objects = []         # dicts: kind, name, x, z, length, width, height, extra


def fmt(v):
    s = ("%.3f" % v).rstrip("0").rstrip(".")
    return "0" if s in ("-0", "") else s


def cell_box(level, r0, c0, r1, c1):
    rows, cols = len(level.rows), len(level.rows[0])
    x_min = rows / 2.0 - r1 - 1
    x_max = rows / 2.0 - r0
    z_min = cols / 2.0 - c1 - 1
    z_max = cols / 2.0 - c0
    return x_min, z_max, x_max - x_min, z_max - z_min


def wall_rectangles(rows):
    taken = set()
    rects = []
    for r, row in enumerate(rows):
        for c, ch in enumerate(row):
            if ch != "#" or (r, c) in taken:
                continue
            c1 = c
            while c1 + 1 < len(row) and row[c1 + 1] == "#" and (r, c1 + 1) not in taken:
                c1 += 1
            r1 = r
            while r1 + 1 < len(rows) and all(rows[r1 + 1][k] == "#" and (r1 + 1, k) not in taken
                                             for k in range(c, c1 + 1)):
                r1 += 1
            for rr in range(r, r1 + 1):
                for cc in range(c, c1 + 1):
                    taken.add((rr, cc))
            rects.append((r, c, r1, c1))
    return rects


def parse(path):
    name = os.path.splitext(os.path.basename(path))[0]
    level = Level(name)
    keys = {}
    in_grid = False
    with open(path) as f:
        for raw in f:
            line = raw.rstrip("\n")
            if in_grid:
                if line.strip():
                    level.rows.append(line.strip())
                continue
            line = re.sub(r"(^|\s)#.*", "", line).strip()
            if not line:
                continue
            words = line.split()
            if words[0] == "next":
                level.next = words[1]
            elif words[0] == "camera":
                level.camera = "default" if words[1:] == ["default"] else tuple(float(v) for v in words[1:4])
            elif words[0] == "light":
                opts = dict(w.split("=", 1) for w in words[5:])
                level.lights.append((words[1], float(words[2]), float(words[3]), float(words[4]),
                                     opts.get("follow", "")))
            elif words[0] == "key":
                names = [w for w in words[3:] if "=" not in w]
                opts = dict(w.split("=", 1) for w in words[3:] if "=" in w)
                keys[words[1]] = (words[2], names[0] if names else "", opts)
            elif words[0] == "grid":
                in_grid = True
            else:
                raise ValueError("%s: unknown line %r" % (path, line))
    width = len(level.rows[0])
    if any(len(r) != width for r in level.rows):
        raise ValueError("%s: rows differ in length" % path)

    for r0, c0, r1, c1 in wall_rectangles(level.rows):
        level.walls.append(cell_box(level, r0, c0, r1, c1))

    cells = {}
    for r, row in enumerate(level.rows):
        for c, ch in enumerate(row):
            if ch not in "#.":
                cells.setdefault(ch, []).append((r, c))
    for ch in sorted(cells, key=lambda k: min(cells[k])):
        if ch not in keys:
            raise ValueError("%s: letter %s has no key" % (path, ch))
        kind, obj_name, opts = keys[ch]
        if kind in NAME_WORDS and NAME_WORDS[kind] not in obj_name:
            raise ValueError("%s: the %s %s needs '%s' in its name" % (path, kind, obj_name, NAME_WORDS[kind]))
        rs = [r for r, _ in cells[ch]]
        cs = [c for _, c in cells[ch]]
        r0, r1, c0, c1 = min(rs), max(rs), min(cs), max(cs)
        if len(cells[ch]) != (r1 - r0 + 1) * (c1 - c0 + 1):
            raise ValueError("%s: letter %s is not a rectangle" % (path, ch))
        x, z, length, width_ = cell_box(level, r0, c0, r1, c1)
        obj = {"kind": kind, "name": obj_name, "opts": opts, "letter": ch}
        if kind in ("ball", "spike"):
            size = BALL_SIZE if kind == "ball" else SPIKE_SIZE
            pad = (1.0 - size) / 2
            obj.update(x=x + pad, z=z - pad, length=size, width=size)
        else:
            obj.update(x=x, z=z, length=length, width=width_)
        obj["height"] = 1.0 if kind == "ball" else HEIGHTS[kind]
        level.objects.append(obj)
    order = {"goal": 0, "trigger": 1, "door": 2, "warp": 3, "spike": 4, "ball": 5}
    level.objects.sort(key=lambda o: (order[o["kind"]], o["letter"]))
    return level


# The game's view: the world turned a quarter about y, then seen from the
# camera's eye toward the origin, through a 45-degree field of view, on a
# 1024 x 768 screen.
SCREEN_W, SCREEN_H = 1024, 768
DEFAULT_EYE = (0.0, 25.0, -10.0)
# Pixels the board keeps clear of: the time text along the top, the button
# column at the top right and the level text at the bottom right.
TOP_CLEAR, BUTTONS_LEFT, BUTTONS_BOTTOM, LABEL_LEFT, LABEL_TOP = 78, 880, 236, 845, 660
# The tutorial's map, whose Next and End Tutorial buttons stand lower in the
# same column, beside the middle of its board's right edge.
TUTORIAL, TUTORIAL_BUTTONS = "map0", (BUTTONS_LEFT, 340, SCREEN_W, 436)
# Where its step texts stand: from their corner (w/2 - 130, h/2 - 100) to
# the end of the longest, in the status font.
TUTORIAL_TEXT = (382, 284, 826, 440)


def project(eye, point):
    """Screen pixel (x, y) of a world point, or None behind the eye."""
    x, y, z = point
    p = (-z, y, x)  # the quarter turn
    f = [-e for e in eye]
    n = math.sqrt(sum(c * c for c in f))
    zaxis = [c / n for c in f]
    xaxis = [zaxis[2], 0.0, -zaxis[0]]           # up x zaxis, with up = (0, 1, 0)
    n = math.sqrt(sum(c * c for c in xaxis)) or 1.0
    xaxis = [c / n for c in xaxis]
    yaxis = [zaxis[1] * xaxis[2] - zaxis[2] * xaxis[1], zaxis[2] * xaxis[0] - zaxis[0] * xaxis[2],
             zaxis[0] * xaxis[1] - zaxis[1] * xaxis[0]]
    d = [p[i] - eye[i] for i in range(3)]
    vx, vy, vz = (sum(a * b for a, b in zip(axis, d)) for axis in (xaxis, yaxis, zaxis))
    if vz <= 0:
        return None
    ys = 1.0 / math.tan(math.pi / 8)
    xs = ys / (SCREEN_W / SCREEN_H)
    return (xs * vx / vz + 1) / 2 * SCREEN_W, (1 - ys * vy / vz) / 2 * SCREEN_H


def board_corners(rows, cols, tilt, steps=1):
    """The board's top corners, with steps - 1 points between each two along
    its edges, level and tilted by `tilt` either way."""
    outline = set()
    for k in range(steps + 1):
        for sx in (-1, 1):
            outline.add((sx * rows / 2.0, cols * (k / steps - 0.5)))
        for sz in (-1, 1):
            outline.add((rows * (k / steps - 0.5), sz * cols / 2.0))
    points = []
    for x, z in sorted(outline):
        for y in (0.0, WALL_HEIGHT):
            points.append((x, y, z))
            for a in (-tilt, tilt):
                c, s = math.cos(a), math.sin(a)
                points.append((x * c - y * s, x * s + y * c, z))   # about z
                points.append((x, z * -s + y * c, z * c + y * s))  # about x
    return points


def fits(eye, points, keep_out=()):
    """Every point shows on the screen, clear of the texts and buttons and of
    the screen rectangles (left, top, right, bottom) in keep_out."""
    for point in points:
        px = project(eye, point)
        if px is None:
            return False
        sx, sy = px
        if sy < TOP_CLEAR or sy > SCREEN_H - 8 or sx < 8 or sx > SCREEN_W - 8:
            return False
        if (sy < BUTTONS_BOTTOM and sx > BUTTONS_LEFT) or (sy > LABEL_TOP and sx > LABEL_LEFT):
            return False
        if any(x0 < sx < x1 and y0 < sy < y1 for x0, y0, x1, y1 in keep_out):
            return False
    return True


def view_of(level):
    """The points of the board that must show, tilted a little either way,
    and the screen rectangles they keep out of besides the texts and the
    button column: the tutorial's own buttons beside the middle of its
    right edge, where points between the corners count."""
    rows, cols = len(level.rows), len(level.rows[0])
    if level.name == TUTORIAL:
        return board_corners(rows, cols, 0.15, steps=8), [TUTORIAL_BUTTONS]
    return board_corners(rows, cols, 0.15), []


# Pieces the player has to see whole when a level starts, and how much of
# one walls and doors may cover: a share of its footprint taken at half its
# height, where each model shows its middle. What is left over is a sliver
# at one edge, where the side of a wall beside it is seen slanting.
SEEN_KINDS = ("ball", "goal", "trigger", "warp")
COVER_ALLOWED = 0.15
PITCH_STEP = math.radians(0.5)


def eye_in_world(eye):
    """The world point a camera position stands for: the view turns the
    world a quarter about y before it looks from the eye."""
    return eye[2], eye[1], -eye[0]


def box(o):
    """An object's box as the map reader places it: (low corner, high corner)."""
    return (o["x"], 0.0, o["z"] - o["width"]), (o["x"] + o["length"], o["height"], o["z"])


def shadow(cover, eye, x, h):
    """The z interval of the points (x, h, z) from which a line to the eye
    passes through the cover box below its top, or None."""
    lo, hi = cover
    if eye[1] <= hi[1] or h >= hi[1]:
        return None
    t0, t1 = 0.0, (hi[1] - h) / (eye[1] - h)  # along the line, until it clears the top
    if abs(eye[0] - x) < 1e-12:
        if not lo[0] < x < hi[0]:
            return None
    else:
        a, b = (lo[0] - x) / (eye[0] - x), (hi[0] - x) / (eye[0] - x)
        t0, t1 = max(t0, min(a, b)), min(t1, max(a, b))
    if t0 >= t1:
        return None
    # z at t is z0 + t (eye z - z0); the ends of the z range move monotonically with t.
    ends = [(edge - t * eye[2]) / (1 - t) for t in (t0, t1) for edge in (lo[2], hi[2])]
    return min(ends), max(ends)


def covered_share(eye, piece, covers, rows=40):
    """The share of the piece's footprint, taken at half its height, that a
    cover box stands in front of, seen from the eye."""
    lo, hi = piece
    h = (lo[1] + hi[1]) / 2
    covered = 0.0
    for i in range(rows):
        x = lo[0] + (hi[0] - lo[0]) * (i + 0.5) / rows
        spans = sorted(filter(None, (shadow(c, eye, x, h) for c in covers)))
        reach = lo[2]
        for a, b in spans:
            a, b = max(a, reach), min(b, hi[2])
            if b > a:
                covered += b - a
                reach = b
    return covered / (rows * (hi[2] - lo[2]))


def wall_boxes(level):
    return [((x, 0.0, z - w), (x + l, WALL_HEIGHT, z)) for x, z, l, w in level.walls]


def covered_pieces(level, eye):
    """(object, share) of every piece that walls or doors cover by more than
    COVER_ALLOWED, seen from the camera position `eye`."""
    at = eye_in_world(eye)
    covers = wall_boxes(level) + [box(o) for o in level.objects if o["kind"] == "door"]
    found = []
    for o in level.objects:
        if o["kind"] not in SEEN_KINDS:
            continue
        lo, hi = box(o)
        # Only a cover this near rises above a line from the piece to the eye.
        reach = math.hypot(at[0] - (lo[0] + hi[0]) / 2, at[2] - (lo[2] + hi[2]) / 2) + 1.5
        reach = reach * WALL_HEIGHT / max(at[1] - WALL_HEIGHT, 1e-6)
        near = [(c_lo, c_hi) for c_lo, c_hi in covers
                if c_lo[0] <= hi[0] + reach and c_hi[0] >= lo[0] - reach and
                c_lo[2] <= hi[2] + reach and c_hi[2] >= lo[2] - reach]
        share = covered_share(at, (lo, hi), near)
        if share > COVER_ALLOWED:
            found.append((o, share))
    return found


def nearest_eye(pitch, points, keep_out=()):
    """The nearest eye looking down at `pitch` from the near edge's side
    from which every point fits (see fits)."""
    direction = (0.0, math.sin(pitch), -math.cos(pitch))
    near, far = 1.0, 1000.0
    while far - near > 0.005:
        mid = (near + far) / 2
        near, far = (near, mid) if fits(tuple(mid * c for c in direction), points, keep_out) else (mid, far)
    eye = tuple(round(far * c, 2) for c in direction)
    while not fits(eye, points, keep_out):
        far += 0.01
        eye = tuple(round(far * c, 2) for c in direction)
    return eye


def fit_camera(level):
    """The nearest eye that shows the whole board, tilted a little either
    way, clear of the texts and buttons, and no piece covered by more than
    COVER_ALLOWED: on the game's own line of sight where that will do, else
    looking down more steeply, which shows more of the floor just behind a
    near wall. When no pitch will do, the one that covers pieces least."""
    points, keep_out = view_of(level)
    usual = math.atan2(DEFAULT_EYE[1], -DEFAULT_EYE[2])
    steps = int((math.radians(89.5) - usual) / PITCH_STEP) + 1
    best, least = None, None
    for step in range(steps):
        eye = nearest_eye(usual + step * PITCH_STEP, points, keep_out)
        covered = covered_pieces(level, eye)
        if not covered:
            return eye
        worst = max(share for _, share in covered)
        if least is None or worst < least:
            best, least = eye, worst
    return best  # the level check names what stays covered


def camera_of(level):
    if level.camera == "default":
        return None
    return level.camera or fit_camera(level)


def lights_of(level):
    """The level's lights; by default one spot straight down on the middle
    (a spot with no FOLLOW aims at the first nameless object, the sky box at
    the origin), high enough that its bright cone covers every corner."""
    if level.lights:
        return level.lights
    half_diagonal = math.hypot(len(level.rows), len(level.rows[0])) / 2.0
    return [("SPOT", 0.0, round(half_diagonal / math.tan(0.25), 1), 0.0, "")]


def element(key, value):
    return "<%s>%s</%s>" % (key, value, key)


def records(level, with_camera=True):
    """The plain lines of the map file, in the order the reader adds them;
    without the camera, and the time its fitting takes, when asked."""
    rows, cols = len(level.rows), len(level.rows[0])
    out = []

    def line(*pairs):
        out.append("".join(element(k, v) for k, v in pairs))

    camera = camera_of(level) if with_camera else None
    if camera:
        x, y, z = camera
        line(("TYPE", "CAMERA"), ("POSX", fmt(x)), ("POSY", fmt(y)), ("POSZ", fmt(z)))
    line(("TYPE", "PLANE"), ("FILE", level.name), ("NEXT", level.next), ("POSX", fmt(-rows / 2.0)),
         ("POSY", "0"), ("POSZ", fmt(cols / 2.0)), ("LENGTH", fmt(rows)), ("WIDTH", fmt(cols)),
         ("HEIGHT", "0"))
    for kind, x, y, z, follow in lights_of(level):
        pairs = [("TYPE", "LIGHT"), ("NAME", kind), ("POSX", fmt(x)), ("POSY", fmt(y)), ("POSZ", fmt(z))]
        if follow:
            pairs.append(("FOLLOW", follow))
        line(*pairs)
    for x, z, length, width in level.walls:
        line(("TYPE", "BLOCK"), ("POSX", fmt(x)), ("POSY", "0"), ("POSZ", fmt(z)),
             ("LENGTH", fmt(length)), ("WIDTH", fmt(width)), ("HEIGHT", fmt(WALL_HEIGHT)))
    for o in level.objects:
        kind = o["kind"]
        pairs = [("TYPE", kind.upper())]
        if kind == "goal":
            pairs.append(("NAME", o["name"] or "goal"))
        elif kind != "trigger":
            pairs.append(("NAME", o["name"]))
        pairs += [("POSX", fmt(o["x"])), ("POSY", "0"), ("POSZ", fmt(o["z"]))]
        if kind != "ball":
            pairs += [("LENGTH", fmt(o["length"])), ("WIDTH", fmt(o["width"])), ("HEIGHT", fmt(o["height"]))]
        if "dir" in o["opts"]:
            pairs.append(("DIRECTION", o["opts"]["dir"]))
        if "target" in o["opts"]:
            pairs.append(("TARGET", o["opts"]["target"]))
        if "mode" in o["opts"]:
            pairs.append(("MODE", o["opts"]["mode"]))
        line(*pairs)
    return out
