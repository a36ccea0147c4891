"""The built models fit the boxes the maps give their objects, spheres face
the way they mean to with nothing pinched at the poles, painted faces sample
their swatch, boards mark the pieces that look alike, and the sky stays dark
enough behind the yellow status text."""
import glob
import math
import os
import re
import sys
import tempfile
import unittest
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
sys.path.insert(0, os.path.join(os.path.dirname(HERE), "levels"))
import board_marks  # noqa: E402
import build_models  # noqa: E402
import level_source  # noqa: E402
import textures_game  # noqa: E402
from xfile import Mesh, cross, dot, mesh_text, sub  # noqa: E402


def positions_and_uvs(path):
    """The first mesh's vertex positions and texture coordinates in a text .x file."""
    with open(path) as f:
        lines = [line.strip() for line in f]
    start = next(i for i, line in enumerate(lines) if line.startswith("Mesh "))
    count = int(lines[start + 1].rstrip(";"))
    positions = [tuple(float(v) for v in re.findall(r"-?[\d.]+", line)[:3])
                 for line in lines[start + 2:start + 2 + count]]
    at = lines.index("MeshTextureCoords {")
    uvs = [tuple(float(v) for v in re.findall(r"-?[\d.]+", line)[:2]) for line in lines[at + 2:at + 2 + count]]
    return positions, uvs


def png_texels(path):
    """The texels of an 8-bit RGB PNG with unfiltered rows, as the texture
    tools write them."""
    with open(path, "rb") as f:
        data = f.read()
    at, idat = 8, b""
    while at < len(data):
        length, kind = int.from_bytes(data[at:at + 4], "big"), data[at + 4:at + 8]
        body = data[at + 8:at + 8 + length]
        if kind == b"IHDR":
            width, height = int.from_bytes(body[:4], "big"), int.from_bytes(body[4:8], "big")
            assert body[8:10] == bytes([8, 2]), "not 8-bit RGB"
        elif kind == b"IDAT":
            idat += body
        at += 12 + length
    raw = zlib.decompress(idat)
    stride = 1 + 3 * width
    assert all(raw[y * stride] == 0 for y in range(height)), "filtered rows"
    return [tuple(raw[y * stride + 1 + 3 * x:y * stride + 4 + 3 * x]) for y in range(height) for x in range(width)]


def relative_luminance(rgb):
    """Of an sRGB colour, as contrast ratios are reckoned."""
    def linear(c):
        c /= 255.0
        return c / 12.92 if c <= 0.04045 else ((c + 0.055) / 1.055) ** 2.4
    r, g, b = (linear(c) for c in rgb)
    return 0.2126 * r + 0.7152 * g + 0.0722 * b


def painted_at(mesh, paint, x, z):
    """Whether a face of the given swatch covers the board point (x, z)."""
    uv = textures_game.paint_uv(paint)
    for face, m in zip(mesh.faces, mesh.face_materials):
        if mesh.materials[m].uv != uv:
            continue
        (ax, _, az), (bx, _, bz), (cx, _, cz) = (mesh.positions[i] for i in face)
        sides = [(bx - ax) * (z - az) - (bz - az) * (x - ax), (cx - bx) * (z - bz) - (cz - bz) * (x - bx),
                 (ax - cx) * (z - cz) - (az - cz) * (x - cx)]
        if all(v >= 0 for v in sides) or all(v <= 0 for v in sides):
            return True
    return False


def cell_centre(level, r, c):
    return len(level.rows) / 2 - r - 0.5, len(level.rows[0]) / 2 - c - 0.5


class ModelsTest(unittest.TestCase):
    def test_object_models_fill_the_boxes_the_maps_give_them(self):
        boxes = {  # file: the box the maps give the object, [0, L] x [0, H] x [-W, 0]
            "door.x": (1, 1, 1), "door2.x": (1, 1, 1), "trigger.x": (1, 0.2, 1), "warp.x": (1, 0.5, 1),
            "spike.x": (0.8, 0.8, 0.8),
        }
        # The game draws a model as built, only centred on its object's box,
        # so a door or plate of any other footprint shows where it is not.
        for path in sorted(glob.glob(os.path.join(build_models.ROOT, "assets", "maps", "*.txt"))):
            for o in level_source.parse(path).objects:
                if o["kind"] not in ("door", "trigger"):
                    continue
                model = "trigger.x" if o["kind"] == "trigger" else \
                    "door2.x" if o["opts"].get("dir", "")[:1] in ("X", "x") else "door.x"
                length, _, width = boxes[model]
                with self.subTest(path=os.path.basename(path), piece=o["letter"]):
                    self.assertEqual((o["length"], o["width"]), (length, width), model)
        with tempfile.TemporaryDirectory() as tmp:
            build_models.door(tmp, "door.x", along_x=False)
            build_models.door(tmp, "door2.x", along_x=True)
            build_models.trigger(tmp)
            build_models.spike(tmp)
            build_models.warp(tmp)
            for name, (length, height, width) in boxes.items():
                with self.subTest(name):
                    points, _ = positions_and_uvs(os.path.join(tmp, name))
                    lo = [min(p[i] for p in points) for i in range(3)]
                    hi = [max(p[i] for p in points) for i in range(3)]
                    self.assertTrue(all(v >= -1e-6 for v in (lo[0], lo[1], lo[2] + width)), (lo, hi))
                    self.assertTrue(all(v <= 1e-6 for v in (hi[0] - length, hi[1] - height, hi[2])), (lo, hi))
                    # and fill it, not lie flat nor leave a cell of it empty
                    self.assertGreater(hi[1] - lo[1], 0.5 * height)
                    self.assertTrue(hi[0] > length - 1 and lo[2] < 1 - width, (lo, hi))

    def test_each_warp_pair_of_a_level_has_a_pad_colour_of_its_own(self):
        for path in glob.glob(os.path.join(build_models.ROOT, "assets", "maps", "*.txt")):
            with self.subTest(path):
                found = board_marks.warp_pairs(level_source.parse(path))
                pairs = {o["name"]: n for o, n in found}
                exits = {o["name"] for o, _ in found if o["opts"]["target"] == o["name"]}
                for o, n in found:
                    self.assertEqual(n, pairs[o["opts"]["target"]])
                self.assertEqual(sorted(set(pairs.values())), list(range(len(exits))))
                self.assertLessEqual(len(exits), len(board_marks.PAD_PAINTS))

    def test_boards_mark_rolling_thorns_and_joint_plates_and_nothing_else(self):
        for path in sorted(glob.glob(os.path.join(build_models.ROOT, "assets", "maps", "*.txt"))):
            level = level_source.parse(path)
            mesh = Mesh("Marks")
            board_marks.paint_marks(mesh, level)
            joint = []
            rolling = {o["letter"] for o in level.objects if o["kind"] == "ball"
                       or o["kind"] == "spike" and o["opts"].get("dir", "")[:1] in ("X", "Z")}
            for o, cells in board_marks.object_cells(level):
                r, c = cells[0]
                x, z = cell_centre(level, r, c)
                with self.subTest(level=level.name, piece=o["name"] or o["letter"]):
                    if o["kind"] == "spike":
                        axis = {"X": (1, 0), "Z": (0, 1)}.get(o["opts"].get("dir", "")[:1])
                        free = [(r + s * axis[0], c + s * axis[1]) for s in (-1, 1)] if axis else []
                        free = [n for n in free if level.rows[n[0]][n[1]] in rolling | {"."}]
                        # A thorn sits on a lane exactly when it can roll out of its cell,
                        # and the lane reaches where it can roll to.
                        self.assertEqual(painted_at(mesh, "maroon", x, z), bool(free))
                        for n in free:
                            self.assertTrue(painted_at(mesh, "maroon", *cell_centre(level, *n)))
                    elif o["kind"] == "trigger":
                        is_joint = o["opts"].get("mode") == "S"
                        if is_joint:
                            joint.append((x, z))
                        for dx, dz in ((0.55, 0), (-0.55, 0), (0, 0.55), (0, -0.55)):
                            self.assertEqual(painted_at(mesh, "teal", x + dx, z + dz), is_joint)
            if len(joint) == 2:
                (ax, az), (bx, bz) = joint
                self.assertTrue(painted_at(mesh, "teal", (ax + bx) / 2, (az + bz) / 2), level.name)

    def test_the_sky_is_dark_enough_for_yellow_text_wherever_it_turns(self):
        # Yellow (1, 1, 0) keeps a contrast of 3:1 over a luminance of 0.28 or less.
        texels = png_texels(os.path.join(build_models.IMAGES, "sky.png"))
        bright = sum(1 for t in texels if relative_luminance(t) > 0.28)
        self.assertLessEqual(bright / len(texels), 0.05)

    def test_the_closing_screen_shows_the_title_above_the_last_board(self):
        maps = os.path.join(build_models.ROOT, "assets", "maps")
        level = level_source.parse(os.path.join(maps, "map1.txt"))
        for _ in range(100):  # to the chain's end
            level = level if level.next == "FINISH" else level_source.parse(os.path.join(maps, level.next + ".txt"))
        eye = level_source.camera_of(level) or level_source.DEFAULT_EYE
        # The map reader puts the title 3 short of a map's camera in x and 1.75 under it.
        at = (-9.5, 23.25) if level.camera == "default" else (eye[0] - 3.0, eye[1] - 1.75)
        rows, cols = len(level.rows), len(level.rows[0])
        self.assertTrue(level_source.fits(eye, level_source.board_corners(rows, cols, 0.15)), level.name)
        with tempfile.TemporaryDirectory() as tmp:
            build_models.title(tmp)
            points, _ = positions_and_uvs(os.path.join(tmp, "title.x"))
        title = [level_source.project(eye, (x + at[0], y + at[1], z)) for x, y, z in points]
        board_top = min(level_source.project(eye, p)[1] for p in level_source.board_corners(rows, cols, 0))
        xs, ys = [p[0] for p in title], [p[1] for p in title]
        self.assertTrue(0 <= min(xs) and max(xs) <= level_source.SCREEN_W and 0 <= min(ys), level.name)
        self.assertGreater(max(xs) - min(xs), 0.4 * level_source.SCREEN_W)  # big enough to read
        self.assertLess(max(ys), board_top, level.name)

    def test_sphere_faces_look_out_or_in_and_meet_the_poles_square(self):
        for inward in (False, True):
            with self.subTest(inward=inward):
                mesh = Mesh("S")
                mesh.sphere((1, 2, 3), (2, 2, 2), textures_game.painted("white"), rings=8, segments=12, inward=inward)
                for a, b, c in mesh.faces:
                    pa, pb, pc = (mesh.positions[i] for i in (a, b, c))
                    normal = cross(sub(pb, pa), sub(pc, pa))
                    self.assertGreater(math.sqrt(dot(normal, normal)), 1e-9)
                    out = sub(tuple(sum(v) / 3 for v in zip(pa, pb, pc)), (1, 2, 3))
                    self.assertLess(dot(normal, out), 0) if inward else self.assertGreater(dot(normal, out), 0)
                poles = [(u, v) for p, (u, v) in zip(mesh.positions, mesh.uvs) if abs(abs(p[1] - 2) - 2) < 1e-9]
                self.assertEqual(len(poles), 24)
                for u, _ in poles:  # each wedge's own pole vertex, at the wedge's middle
                    self.assertAlmostEqual((u * 12) % 1, 0.5)

    def test_painted_faces_sample_their_swatch(self):
        mesh = Mesh("P")
        mesh.box((0, 0, 0), (1, 1, 1), textures_game.painted("lime"), uv_scale=1.0)
        with tempfile.TemporaryDirectory() as tmp:
            path = os.path.join(tmp, "p.x")
            with open(path, "w") as f:
                f.write("\n".join(mesh_text(mesh, 0)))
            _, uvs = positions_and_uvs(path)
        u, v = textures_game.paint_uv("lime")
        self.assertEqual(len(uvs), 24)
        for got in uvs:
            self.assertAlmostEqual(got[0], u, places=5)
            self.assertAlmostEqual(got[1], v, places=5)


if __name__ == "__main__":
    unittest.main()
