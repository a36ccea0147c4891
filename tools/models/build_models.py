#!/usr/bin/env python3
"""Builds the game's models (text .x) and their textures in res/images.

Every object model is built in its object's box [0, L] x [0, H] x [-W, 0]
at the sizes the maps use, except goals and scenery, which are built about
their origin. Each map in assets/maps gets its board "<name>.x", walls
included, since the game never draws walls itself.

Usage: build_models.py [--check]
  --check  rebuild the .x files in memory and compare them with res/images,
           and check the textures against their manifest.
"""
import glob
import math
import os
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.dirname(HERE))
sys.path.insert(0, os.path.join(os.path.dirname(HERE), "levels"))
import board_marks  # noqa: E402
import level_source  # noqa: E402
import manifest  # noqa: E402
import textures_game  # noqa: E402
from textures_game import painted  # noqa: E402
from xfile import Material, Mesh, rotate_y, write_model, write_turning_skinned_model  # noqa: E402

ROOT = manifest.ROOT
IMAGES = os.path.join(ROOT, "res", "images")
TEXTURE_MANIFEST = "assets/images/textures.sha256"
TEXTURE_INPUTS = ["tools/models/textures.py", "tools/models/textures_game.py"]
TEXTURE_OUTPUTS = ["res/images/*.png", "res/images/*.jpg"]

# The camera of the title screen: the eye and where it looks, from the title
# object's corner (see title()).
TITLE_TO_EYE = (-0.5, 1.75, 0.0)
VIEW = (0.371391, -0.928477, 0.0)
SCREEN_UP = (0.928477, 0.371391, 0.0)
SCREEN_RIGHT = (0.0, 0.0, -1.0)

FONT = {
    "T": ["#####", "..#..", "..#..", "..#..", "..#..", "..#..", "..#.."],
    "U": ["#...#", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."],
    "M": ["#...#", "##.##", "#.#.#", "#.#.#", "#...#", "#...#", "#...#"],
    "B": ["####.", "#...#", "#...#", "####.", "#...#", "#...#", "####."],
    "L": ["#....", "#....", "#....", "#....", "#....", "#....", "#####"],
    "O": [".###.", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."],
    "X": ["#...#", "#...#", ".#.#.", "..#..", ".#.#.", "#...#", "#...#"],
    "Q": [".###.", "#...#", "#...#", "#...#", "#.#.#", "#..#.", ".##.#"],
    "I": [".###.", "..#..", "..#..", "..#..", "..#..", "..#..", ".###."],
}


def along(origin, a, b, depth):
    """A point of the screen plane: a to the right, b up, depth away."""
    return tuple(origin[i] + a * SCREEN_RIGHT[i] + b * SCREEN_UP[i] + depth * VIEW[i] for i in range(3))


def lettering(mesh, text, origin, pixel, depth, face, side):
    """Block letters standing in the screen plane, facing the camera."""
    columns = len(text) * 6 - 1
    left = -columns * pixel / 2
    for k, ch in enumerate(text):
        for row, bits in enumerate(FONT[ch]):
            for col, bit in enumerate(bits):
                if bit != "#":
                    continue
                a0 = left + (k * 6 + col) * pixel
                b0 = (3.5 - row) * pixel
                corners = [along(origin, a0 + da * pixel, b0 - db * pixel, dd * depth)
                           for dd in (0, 1) for db in (0, 1) for da in (0, 1)]
                quad_faces(mesh, corners, face, side)


def quad_faces(mesh, c, face, side):
    """The six faces of a brick given as 8 corners (front 0-3, back 4-7)."""
    centre = tuple(sum(p[i] for p in c) / 8 for i in range(3))
    faces = [((0, 1, 3, 2), face), ((4, 5, 7, 6), side), ((0, 1, 5, 4), side),
             ((2, 3, 7, 6), side), ((0, 2, 6, 4), side), ((1, 3, 7, 5), side)]
    for idx, material in faces:
        pts = [c[i] for i in idx]
        mid = tuple(sum(p[i] for p in pts) / 4 for i in range(3))
        normal = tuple(mid[i] - centre[i] for i in range(3))
        mesh.quad(pts, normal, material)


def title(folder):
    # The title object stands at (-9.5, 23.25, 0) and the default eye at
    # (-10, 25, 0), looking at the origin: the name floats 1.8 in front of
    # the eye, in the upper half of the picture.
    mesh = Mesh("TitleMesh")
    origin = tuple(TITLE_TO_EYE[i] + 1.8 * VIEW[i] + 0.47 * SCREEN_UP[i] for i in range(3))
    lettering(mesh, "TUMBLOX", origin, 0.026, 0.04, painted("gold", 0.75, power=40, specular=0.8),
              painted("amber", 0.5))
    write_model(os.path.join(folder, "title.x"), "Title", mesh)


def quit_sign(folder):
    mesh = Mesh("QuitMesh")
    origin = (0.0, 0.0, 0.0)
    plate = painted("red", 0.5)
    white = painted("white", 0.8)
    corners = [along(origin, a, b, d) for d in (0.02, 0.12) for b in (0.3, -0.3) for a in (-0.8, 0.8)]
    quad_faces(mesh, corners, plate, plate)
    lettering(mesh, "QUIT", origin, 0.07, 0.02, white, white)
    write_model(os.path.join(folder, "quit.x"), "Quit", mesh)


def skybox(folder):
    mesh = Mesh("SkyMesh")
    sky = Material((0.2, 0.2, 0.2), texture="sky.png", glow=5.0, specular=0.0)
    # Rings meet at the horizon, where the texture's rows change pace.
    mesh.sphere((0, 0, 0), (300, 300, 300), sky, rings=32, segments=48, inward=True, v_of=textures_game.sky_v)
    write_turning_skinned_model(os.path.join(folder, "skybox.x"), mesh, "SkyBone", seconds_per_turn=240)


def orbel(folder, name, texture):
    mesh = Mesh("OrbelMesh")
    mesh.sphere((0.4, 0.5, -0.4), (0.45, 0.45, 0.45), Material((1, 1, 1), texture=texture, glow=0.35, power=30),
                rings=24, segments=36)
    write_model(os.path.join(folder, name), "Orbel", mesh)


def scrambled(folder):
    # The broken twin: shards of shell where the Orbel was.
    mesh = Mesh("ShardsMesh")
    shell = painted("orange", 0.3)
    inner = painted("cream", 0.4)
    for k in range(7):
        a = 2 * math.pi * k / 7 + 0.4
        r = 0.18 + 0.12 * (k % 3) / 2
        cx, cz = 0.4 + r * math.cos(a), -0.4 + r * math.sin(a)
        s = 0.09 + 0.03 * (k % 2)
        start = len(mesh.positions)
        mesh.box((-s, 0.0, -s * 0.6), (s, 0.05 + 0.02 * (k % 3), s * 0.6), shell if k % 2 else inner)
        turn = rotate_y(a * 1.7)
        mesh.transform(lambda p, t=turn, x=cx, z=cz: (t(p)[0] + x, p[1], t(p)[2] + z), start)
    mesh.sphere((0.4, 0.06, -0.4), (0.16, 0.05, 0.16), inner, rings=6, segments=12)
    write_model(os.path.join(folder, "scrambled.x"), "Shards", mesh)


def spike(folder):
    # Seen from the camera it may be only ten pixels across: a big red core
    # and thick, dark thorns keep a spiky blot that stands out on any floor,
    # where thin pale thorns would fade into it. None points straight up, so
    # from above the core shows whole.
    mesh = Mesh("SpikeMesh")
    core = painted("red", 0.4, power=50, specular=0.9)  # danger, even in shadow
    iron = painted("iron", 0.3, power=60, specular=1.0)
    c = (0.4, 0.4, -0.4)
    mesh.sphere(c, (0.21, 0.21, 0.21), core, rings=8, segments=12)
    directions = [(1, 0, 0), (-1, 0, 0), (0, 0, 1), (0, 0, -1)]
    directions += [(sx, sy, sz) for sx in (1, -1) for sy in (1, -1) for sz in (1, -1)]
    for d in directions:
        n = math.sqrt(sum(v * v for v in d))
        d = tuple(v / n for v in d)
        base = tuple(c[i] + 0.14 * d[i] for i in range(3))
        tip = tuple(c[i] + 0.4 * d[i] for i in range(3))
        mesh.cone(base, tip, 0.09, iron, segments=6)
    write_model(os.path.join(folder, "spike.x"), "Spike", mesh)


def gate(mesh, length):
    """An iron gate as tall as the walls, laid along z from -length to 0
    across the middle of a cell: a post at each end, two rails and bars
    between them, under a broad striped beam, so that a gate seen end on
    from above still shows a striped barrier, not a pole."""
    iron = painted("iron", 0.3, power=40, specular=0.8)
    dark = painted("dark", 0.3)
    gold = painted("gold", 0.5, power=40, specular=0.8)
    amber = painted("amber", 0.5)
    mid, post, beam = 0.5, 0.16, 0.3
    for z in (-length, -post):
        mesh.box((mid - beam, 0, z), (mid + beam, 0.9, z + post), iron)
        mesh.sphere((mid, 0.9, z + post / 2), (0.075, 0.075, 0.075), gold, rings=6, segments=10)
    inner = length - 2 * post
    stripes = max(3, int(round(inner / 0.25)))
    for k in range(stripes):
        z = -length + post + inner * k / stripes
        mesh.box((mid - beam, 0.8, z), (mid + beam, 0.96, z + inner / stripes), amber if k % 2 == 0 else dark)
    for y0, y1 in ((0.0, 0.12), (0.42, 0.5)):
        mesh.box((mid - 0.1, y0, -length + post), (mid + 0.1, y1, -post), iron)
    bars = max(3, int(round(inner / 0.2)))
    for k in range(bars):
        z = -length + post + inner * (k + 0.5) / bars
        mesh.cylinder((mid, 0, z), 0.045, 0.12, 0.8, iron, segments=10)


def door(folder, name, along_x):
    # The maps give every door a single cell, and the game draws a model
    # unscaled, so a gate of any other length would show where there is none.
    mesh = Mesh("DoorMesh")
    gate(mesh, 1.0)  # the box [0, 1] x [0, 1] x [-1, 0]
    if along_x:
        mesh.transform(lambda p: (-p[2], p[1], p[0] - 1.0))  # turned a quarter in it
    write_model(os.path.join(folder, name), "Door", mesh)


def trigger(folder):
    # A pressure plate: an amber pad on a gold rim, raised in a dark frame,
    # with a lower square at its heart where it gives.
    mesh = Mesh("TriggerMesh")
    frame = painted("dark", 0.3)
    mesh.box((0.04, 0.0, -0.96), (0.96, 0.05, -0.04), frame)
    mesh.box((0.12, 0.05, -0.88), (0.88, 0.08, -0.12), painted("gold", 0.55))
    mesh.box((0.16, 0.08, -0.84), (0.84, 0.11, -0.16), painted("amber", 0.5, power=30, specular=0.6))
    mesh.box((0.34, 0.11, -0.66), (0.66, 0.12, -0.34), painted("orange", 0.45))
    for x in (0.08, 0.92):
        for z in (-0.08, -0.92):
            mesh.cylinder((x, 0, z), 0.025, 0.05, 0.065, painted("steel", 0.4), segments=8)
    write_model(os.path.join(folder, "trigger.x"), "Trigger", mesh)


def warp(folder):
    # A ring round a swirl with a gem over it. Every warp loads this model,
    # so it leaves the cell's corners to the pad of its pair (warp_pads).
    mesh = Mesh("WarpMesh")
    ring = painted("violet", 0.5, power=40, specular=0.8)
    mesh.torus((0.5, 0.12, -0.5), 0.3, 0.06, ring, segments=20, sides=6)
    mesh.cylinder((0.5, 0, -0.5), 0.26, 0.04, 0.07, Material((1, 1, 1), texture="swirl.png", glow=0.9), segments=20)
    mesh.sphere((0.5, 0.36, -0.5), (0.07, 0.07, 0.07), painted("ice", 0.9), rings=6, segments=8)
    write_model(os.path.join(folder, "warp.x"), "Warp", mesh)


def goal(folder):
    # About its origin, which the game puts at the middle of the goal's box
    # (0.2 high): a straw nest with a gold lip round a glowing hollow.
    mesh = Mesh("NestMesh")
    mesh.torus((0, 0.0, 0), 0.4, 0.1, Material((1, 1, 1), texture="twigs.jpg", glow=0.5), segments=32, sides=10)
    mesh.torus((0, 0.02, 0), 0.3, 0.03, painted("gold", 0.7, power=40, specular=0.8), segments=32, sides=8)
    mesh.cylinder((0, 0, 0), 0.32, -0.1, -0.05, Material((1, 1, 1), texture="goal.png", glow=0.9), segments=32)
    write_model(os.path.join(folder, "goal.x"), "Goal", mesh)


PALETTE = [(1.0, 1.0, 1.0), (1.0, 0.95, 0.85), (0.9, 1.0, 0.9), (0.85, 0.92, 1.0), (1.0, 0.9, 0.9),
           (0.95, 0.9, 1.0), (1.0, 1.0, 0.85), (0.88, 1.0, 1.0), (1.0, 0.92, 0.8), (0.92, 0.92, 0.92),
           (1.0, 0.85, 0.95)]


def board(folder, source):
    level = level_source.parse(source)
    rows, cols = len(level.rows), len(level.rows[0])
    digits = "".join(ch for ch in level.name if ch.isdigit()) or "0"
    tint = PALETTE[int(digits) % len(PALETTE)]
    mesh = Mesh("BoardMesh")
    floor = Material(tint, texture="floor.jpg", glow=0.35)
    edge = painted("brown", 0.3)
    wall = Material((1, 1, 1), texture="wall.png", glow=0.35)
    # The board's middle is the object's origin; its top is at y 0.
    x0, x1, z0, z1 = -rows / 2, rows / 2, -cols / 2, cols / 2
    mesh.box((x0, -0.4, z0), (x1, 0, z1), edge, skip=("-y", "+y"))
    # One quad a cell: the lights are worked out at the corners, so a spot
    # light's pool needs corners to fall on.
    for r in range(rows):
        for c in range(cols):
            if level.rows[r][c] == "#":
                continue
            cx0, cz1 = x1 - r - 1, z1 - c
            cx1, cz0 = cx0 + 1, cz1 - 1
            mesh.quad([(cx0, 0, cz0), (cx1, 0, cz0), (cx1, 0, cz1), (cx0, 0, cz1)], (0, 1, 0), floor,
                      uvs=[(0, 0), (0, 1), (1, 1), (1, 0)])
    board_marks.paint_marks(mesh, level)
    for x, z, length, width in level.walls:
        mesh.box((x, 0, z - width), (x + length, level_source.WALL_HEIGHT, z), wall, uv_scale=1.0, skip=("-y",))
    write_model(os.path.join(folder, level.name + ".x"), "Board", mesh)


def build_meshes(folder):
    title(folder)
    quit_sign(folder)
    skybox(folder)
    orbel(folder, "ball.x", "orbel1.png")
    orbel(folder, "ball2.x", "orbel2.png")
    orbel(folder, "ball3.x", "orbel3.png")
    scrambled(folder)
    spike(folder)
    door(folder, "door.x", along_x=False)
    door(folder, "door2.x", along_x=True)
    trigger(folder)
    warp(folder)
    goal(folder)
    for source in sorted(glob.glob(os.path.join(ROOT, "assets", "maps", "*.txt"))):
        board(folder, source)


def main():
    os.makedirs(IMAGES, exist_ok=True)
    if "--check" in sys.argv:
        problems = manifest.check(TEXTURE_MANIFEST, TEXTURE_INPUTS, TEXTURE_OUTPUTS)
        with tempfile.TemporaryDirectory() as tmp:
            build_meshes(tmp)
            built = {os.path.basename(p) for p in glob.glob(os.path.join(tmp, "*.x"))}
            present = {os.path.basename(p) for p in glob.glob(os.path.join(IMAGES, "*.x"))}
            for name in sorted(built | present):
                if name not in present:
                    problems.append("res/images/%s is missing" % name)
                elif name not in built:
                    problems.append("res/images/%s has no source" % name)
                elif open(os.path.join(tmp, name)).read() != open(os.path.join(IMAGES, name)).read():
                    problems.append("res/images/%s differs from what its source builds" % name)
        print("\n".join(problems) or "res/images is current")
        return 1 if problems else 0
    if "--meshes-only" not in sys.argv:
        textures_game.build_all(IMAGES)
        os.makedirs(os.path.join(ROOT, "assets", "images"), exist_ok=True)
        manifest.write(TEXTURE_MANIFEST, manifest.expand(TEXTURE_INPUTS), manifest.expand(TEXTURE_OUTPUTS))
    build_meshes(IMAGES)
    return 0


if __name__ == "__main__":
    sys.exit(main())
