"""Meshes built from simple solids, written as text .x files.

Space is the game's: left-handed, y up. A face is front-facing when, seen
from outside, its corners run clockwise; every solid here gives each
triangle the outward normal it means, and the winding follows from it.
"""
import math


def sub(a, b):
    return (a[0] - b[0], a[1] - b[1], a[2] - b[2])


def cross(a, b):
    return (a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0])


def dot(a, b):
    return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]


def norm(a):
    n = math.sqrt(dot(a, a)) or 1.0
    return (a[0] / n, a[1] / n, a[2] / n)


class Material:
    """uv, when given, is where every vertex of the material samples its
    texture: one texel colour for the whole surface."""

    def __init__(self, rgb, texture=None, glow=0.3, alpha=1.0, power=20.0, specular=0.3, uv=None):
        self.rgb, self.texture, self.glow, self.alpha = rgb, texture, glow, alpha
        self.power, self.specular, self.uv = power, specular, uv


class Mesh:
    def __init__(self, name):
        self.name = name
        self.positions, self.normals, self.uvs = [], [], []
        self.faces, self.face_materials = [], []
        self.materials = []

    def material(self, m):
        if m not in self.materials:
            self.materials.append(m)
        return self.materials.index(m)

    def vertex(self, p, n, uv):
        self.positions.append(p)
        self.normals.append(norm(n))
        self.uvs.append(uv)
        return len(self.positions) - 1

    def triangle(self, a, b, c, material, facing):
        """Indices a, b, c; facing: the direction the face must look to."""
        pa, pb, pc = self.positions[a], self.positions[b], self.positions[c]
        if dot(cross(sub(pb, pa), sub(pc, pa)), facing) < 0:
            b, c = c, b
        self.faces.append((a, b, c))
        self.face_materials.append(self.material(material))

    def quad(self, corners, normal, material, uvs=((0, 0), (1, 0), (1, 1), (0, 1))):
        idx = [self.vertex(p, normal, uv) for p, uv in zip(corners, uvs)]
        self.triangle(idx[0], idx[1], idx[2], material, normal)
        self.triangle(idx[0], idx[2], idx[3], material, normal)

    def box(self, lo, hi, material, uv_scale=None, skip=()):
        """An axis-aligned box; uv_scale repeats the texture per unit."""
        x0, y0, z0 = lo
        x1, y1, z1 = hi
        sides = {
            "+x": ([(x1, y0, z0), (x1, y1, z0), (x1, y1, z1), (x1, y0, z1)], (1, 0, 0)),
            "-x": ([(x0, y0, z0), (x0, y1, z0), (x0, y1, z1), (x0, y0, z1)], (-1, 0, 0)),
            "+y": ([(x0, y1, z0), (x1, y1, z0), (x1, y1, z1), (x0, y1, z1)], (0, 1, 0)),
            "-y": ([(x0, y0, z0), (x1, y0, z0), (x1, y0, z1), (x0, y0, z1)], (0, -1, 0)),
            "+z": ([(x0, y0, z1), (x1, y0, z1), (x1, y1, z1), (x0, y1, z1)], (0, 0, 1)),
            "-z": ([(x0, y0, z0), (x1, y0, z0), (x1, y1, z0), (x0, y1, z0)], (0, 0, -1)),
        }
        for key, (corners, normal) in sides.items():
            if key in skip:
                continue
            if uv_scale:
                axes = [i for i in range(3) if normal[i] == 0]
                uvs = [(p[axes[0]] * uv_scale, p[axes[1]] * uv_scale) for p in corners]
            else:
                uvs = ((0, 0), (1, 0), (1, 1), (0, 1))
            self.quad(corners, normal, material, uvs)

    def sphere(self, centre, radii, material, rings=12, segments=18, inward=False, v_of=None):
        """v_of(theta) -> v: where a latitude (0 at the top, pi at the
        bottom) falls in the texture; evenly spread when not given."""
        cx, cy, cz = centre
        rx, ry, rz = radii

        def point(i, j, u):
            theta = math.pi * i / rings
            phi = 2 * math.pi * j / segments
            d = (math.sin(theta) * math.cos(phi), math.cos(theta), math.sin(theta) * math.sin(phi))
            n = (d[0] / rx, d[1] / ry, d[2] / rz)
            if inward:
                n = (-n[0], -n[1], -n[2])
            # The poles sample inside the texture: its top and bottom rows
            # must not blend into each other where the texture wraps.
            v = v_of(theta) if v_of else i / rings
            return self.vertex((cx + rx * d[0], cy + ry * d[1], cz + rz * d[2]), n, (u, 0.005 + 0.99 * v))

        grid = [[point(i, j, j / segments) for j in range(segments + 1)] for i in range(1, rings)]

        def face(tri):
            mid = tuple(sum(self.positions[k][t] for k in tri) / 3 for t in range(3))
            out = sub(mid, centre)
            self.triangle(*tri, material, (-out[0], -out[1], -out[2]) if inward else out)

        for j in range(segments):
            # A pole vertex of its own per wedge, at the wedge's middle, so
            # the texture meets the pole without a twist.
            face((point(0, j + 0.5, (j + 0.5) / segments), grid[0][j], grid[0][j + 1]))
            face((point(rings, j + 0.5, (j + 0.5) / segments), grid[-1][j], grid[-1][j + 1]))
            for i in range(rings - 2):
                a, b, c, d = grid[i][j], grid[i][j + 1], grid[i + 1][j + 1], grid[i + 1][j]
                face((a, b, c))
                face((a, c, d))

    def cylinder(self, centre, radius, y0, y1, material, segments=20, caps=True):
        cx, _, cz = centre
        for j in range(segments):
            a0 = 2 * math.pi * j / segments
            a1 = 2 * math.pi * (j + 1) / segments
            p = [(cx + radius * math.cos(a), cz + radius * math.sin(a)) for a in (a0, a1)]
            n0 = (math.cos(a0), 0, math.sin(a0))
            n1 = (math.cos(a1), 0, math.sin(a1))
            i0 = self.vertex((p[0][0], y0, p[0][1]), n0, (j / segments, 1))
            i1 = self.vertex((p[1][0], y0, p[1][1]), n1, ((j + 1) / segments, 1))
            i2 = self.vertex((p[1][0], y1, p[1][1]), n1, ((j + 1) / segments, 0))
            i3 = self.vertex((p[0][0], y1, p[0][1]), n0, (j / segments, 0))
            mid = ((a0 + a1) / 2)
            out = (math.cos(mid), 0, math.sin(mid))
            self.triangle(i0, i1, i2, material, out)
            self.triangle(i0, i2, i3, material, out)
            if caps:
                for y, up in ((y1, 1), (y0, -1)):
                    c = self.vertex((cx, y, cz), (0, up, 0), (0.5, 0.5))
                    e0 = self.vertex((p[0][0], y, p[0][1]), (0, up, 0),
                                     (0.5 + 0.5 * math.cos(a0), 0.5 + 0.5 * math.sin(a0)))
                    e1 = self.vertex((p[1][0], y, p[1][1]), (0, up, 0),
                                     (0.5 + 0.5 * math.cos(a1), 0.5 + 0.5 * math.sin(a1)))
                    self.triangle(c, e0, e1, material, (0, up, 0))

    def torus(self, centre, major, minor, material, segments=24, sides=10):
        cx, cy, cz = centre
        grid = []
        for i in range(segments + 1):
            u = 2 * math.pi * i / segments
            row = []
            for j in range(sides + 1):
                v = 2 * math.pi * j / sides
                n = (math.cos(v) * math.cos(u), math.sin(v), math.cos(v) * math.sin(u))
                p = (cx + (major + minor * math.cos(v)) * math.cos(u), cy + minor * math.sin(v),
                     cz + (major + minor * math.cos(v)) * math.sin(u))
                row.append(self.vertex(p, n, (3 * i / segments, j / sides)))
            grid.append(row)
        for i in range(segments):
            for j in range(sides):
                a, b, c, d = grid[i][j], grid[i + 1][j], grid[i + 1][j + 1], grid[i][j + 1]
                for tri in ((a, b, c), (a, c, d)):
                    n = tuple(sum(self.normals[k][t] for k in tri) for t in range(3))
                    self.triangle(*tri, material, n)

    def cone(self, base, tip, radius, material, segments=10):
        axis = norm(sub(tip, base))
        helper = (0, 1, 0) if abs(axis[1]) < 0.9 else (1, 0, 0)
        u = norm(cross(axis, helper))
        v = cross(axis, u)
        ring = []
        for j in range(segments):
            a = 2 * math.pi * j / segments
            d = tuple(math.cos(a) * u[t] + math.sin(a) * v[t] for t in range(3))
            ring.append((tuple(base[t] + radius * d[t] for t in range(3)), d))
        for j in range(segments):
            (p0, d0), (p1, d1) = ring[j], ring[(j + 1) % segments]
            out = norm(tuple(d0[t] + d1[t] + 0.4 * axis[t] for t in range(3)))
            i0 = self.vertex(p0, out, (j / segments, 1))
            i1 = self.vertex(p1, out, ((j + 1) / segments, 1))
            it = self.vertex(tip, out, ((j + 0.5) / segments, 0))
            self.triangle(i0, i1, it, material, out)

    def transform(self, fn, start=0):
        """Moves vertices from index `start` on through fn(p) -> p (rigid)."""
        o = fn((0, 0, 0))
        for i in range(start, len(self.positions)):
            self.positions[i] = fn(self.positions[i])
            self.normals[i] = norm(sub(fn(self.normals[i]), o))


def rotate_y(angle):
    c, s = math.cos(angle), math.sin(angle)
    return lambda p: (c * p[0] + s * p[2], p[1], -s * p[0] + c * p[2])


def f(v):
    s = "%.6f" % v
    s = s.rstrip("0").rstrip(".")
    return "0" if s in ("-0", "") else s


def identity():
    return [1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1]


def separated(pad, items):
    """The lines of a .x list: every item but the last ends with ",", the last with ";"."""
    return ["%s%s%s" % (pad, item, "," if i + 1 < len(items) else ";") for i, item in enumerate(items)]


def vectors(items):
    return ["%s;%s;%s;" % (f(x), f(y), f(z)) for x, y, z in items]


def mesh_text(mesh, indent, skin=None):
    pad = "  " * indent
    out = ["%sMesh %s {" % (pad, mesh.name), "%s  %d;" % (pad, len(mesh.positions))]
    faces = ["3;%d,%d,%d;" % face for face in mesh.faces]
    out += separated(pad + "  ", vectors(mesh.positions))
    out.append("%s  %d;" % (pad, len(mesh.faces)))
    out += separated(pad + "  ", faces)
    out.append("%s  MeshNormals {" % pad)
    out.append("%s    %d;" % (pad, len(mesh.normals)))
    out += separated(pad + "    ", vectors(mesh.normals))
    out.append("%s    %d;" % (pad, len(mesh.faces)))
    out += separated(pad + "    ", faces)
    out.append("%s  }" % pad)
    out.append("%s  MeshTextureCoords {" % pad)
    out.append("%s    %d;" % (pad, len(mesh.uvs)))
    uvs = list(mesh.uvs)
    for (a, b, c), m in zip(mesh.faces, mesh.face_materials):
        if mesh.materials[m].uv:
            uvs[a] = uvs[b] = uvs[c] = mesh.materials[m].uv
    out += separated(pad + "    ", ["%s;%s;" % (f(u), f(v)) for u, v in uvs])
    out.append("%s  }" % pad)
    out.append("%s  MeshMaterialList {" % pad)
    out.append("%s    %d;" % (pad, len(mesh.materials)))
    out.append("%s    %d;" % (pad, len(mesh.faces)))
    out += separated(pad + "    ", ["%d" % m for m in mesh.face_materials])
    for m in mesh.materials:
        r, g, b = m.rgb
        out.append("%s    Material {" % pad)
        out.append("%s      %s;%s;%s;%s;;" % (pad, f(r), f(g), f(b), f(m.alpha)))
        out.append("%s      %s;" % (pad, f(m.power)))
        out.append("%s      %s;%s;%s;;" % (pad, f(m.specular), f(m.specular), f(m.specular)))
        out.append("%s      %s;%s;%s;;" % (pad, f(r * m.glow), f(g * m.glow), f(b * m.glow)))
        if m.texture:
            out.append('%s      TextureFilename { "%s"; }' % (pad, m.texture))
        out.append("%s    }" % pad)
    out.append("%s  }" % pad)
    if skin:
        n = len(mesh.positions)
        out.append("%s  XSkinMeshHeader { 1; 1; %d; }" % (pad, len(skin)))
        for bone in skin:
            out.append("%s  SkinWeights {" % pad)
            out.append('%s    "%s";' % (pad, bone))
            out.append("%s    %d;" % (pad, n))
            out.append("%s    %s;" % (pad, ",".join(str(i) for i in range(n))))
            out.append("%s    %s;" % (pad, ",".join("1" for _ in range(n))))
            out.append("%s    %s;;" % (pad, ",".join(f(v) for v in identity())))
            out.append("%s  }" % pad)
    out.append("%s}" % pad)
    return out


def matrix_text(m, indent):
    pad = "  " * indent
    return ["%sFrameTransformMatrix {" % pad, "%s  %s;;" % (pad, ",".join(f(v) for v in m)), "%s}" % pad]


def write_model(path, frame_name, mesh):
    """A model of one frame that holds one mesh."""
    lines = ["xof 0303txt 0032", "", "Frame %s {" % frame_name] + matrix_text(identity(), 1)
    lines += mesh_text(mesh, 1) + ["}", ""]
    with open(path, "w") as out:
        out.write("\n".join(lines))


def write_turning_skinned_model(path, mesh, bone, seconds_per_turn, ticks_per_second=10):
    """A skinned model whose one bone turns about y once per period, for ever:
    the mesh hangs on the root, every vertex follows the bone."""
    lines = ["xof 0303txt 0032", "", "AnimTicksPerSecond { %d; }" % ticks_per_second, ""]
    lines += ["Frame Root {"] + matrix_text(identity(), 1)
    lines += ["  Frame %s {" % bone] + matrix_text(identity(), 2) + ["  }"]
    lines += mesh_text(mesh, 1, skin=[bone]) + ["}", ""]
    steps = 4
    keys = []
    for k in range(steps + 1):
        angle = 2 * math.pi * k / steps
        # Quaternion of a turn about y, written w, x, y, z.
        keys.append((k * seconds_per_turn * ticks_per_second // steps, (math.cos(angle / 2), 0, math.sin(angle / 2), 0)))
    lines += ["AnimationSet Turn {", "  Animation {", "    { %s }" % bone, "    AnimationKey {", "      0;",
              "      %d;" % len(keys)]
    lines += separated("      ", ["%d;4;%s;;" % (t, ",".join(f(v) for v in q)) for t, q in keys])
    lines += ["    }", "  }", "}", ""]
    with open(path, "w") as out:
        out.write("\n".join(lines))
