"""Procedural textures, written as PNG (zlib) or JPEG (cjpeg)."""
import math
import os
import struct
import subprocess
import tempfile
import zlib


def rgb_rows(width, height, pixel):
    """pixel(x, y) -> (r, g, b) with components 0..255; the rows top first."""
    return [bytes(clamp(c) for x in range(width) for c in pixel(x, y)) for y in range(height)]


def write_png(path, width, height, pixel):
    rows = b"".join(b"\0" + row for row in rgb_rows(width, height, pixel))  # filter: none

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    png = b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0))
    png += chunk(b"IDAT", zlib.compress(rows, 9)) + chunk(b"IEND", b"")
    with open(path, "wb") as f:
        f.write(png)


def write_jpeg(path, width, height, pixel, quality=88):
    data = b"P6\n%d %d\n255\n" % (width, height) + b"".join(rgb_rows(width, height, pixel))
    with tempfile.NamedTemporaryFile(suffix=".ppm", delete=False) as tmp:
        tmp.write(data)
    try:
        subprocess.run(["cjpeg", "-quality", str(quality), "-optimize", "-outfile", path, tmp.name], check=True)
    finally:
        os.unlink(tmp.name)


def clamp(v):
    return max(0, min(255, int(round(v))))


def hash2(x, y, seed):
    h = (x * 374761393 + y * 668265263 + seed * 2147483647) & 0xFFFFFFFF
    h = ((h ^ (h >> 13)) * 1274126177) & 0xFFFFFFFF
    return ((h ^ (h >> 16)) & 0xFFFF) / 65535.0


def noise(x, y, seed, period=None):
    """Smooth value noise; with a period it tiles."""
    x0, y0 = math.floor(x), math.floor(y)
    fx, fy = x - x0, y - y0
    fx, fy = fx * fx * (3 - 2 * fx), fy * fy * (3 - 2 * fy)

    def h(i, j):
        if period:
            i, j = i % period, j % period
        return hash2(i, j, seed)

    a = h(x0, y0) + (h(x0 + 1, y0) - h(x0, y0)) * fx
    b = h(x0, y0 + 1) + (h(x0 + 1, y0 + 1) - h(x0, y0 + 1)) * fx
    return a + (b - a) * fy


def hash3(x, y, z, seed):
    return hash2(x * 1619 + z * 31337, y * 6971 + z * 1013, seed)


def noise3(x, y, z, seed):
    """Smooth value noise in space: a texture made from directions has no seam."""
    x0, y0, z0 = math.floor(x), math.floor(y), math.floor(z)
    f = [t * t * (3 - 2 * t) for t in (x - x0, y - y0, z - z0)]
    corner = [[[hash3(x0 + i, y0 + j, z0 + k, seed) for k in (0, 1)] for j in (0, 1)] for i in (0, 1)]
    lerp = lambda a, b, t: a + (b - a) * t  # noqa: E731
    return lerp(lerp(lerp(corner[0][0][0], corner[0][0][1], f[2]), lerp(corner[0][1][0], corner[0][1][1], f[2]), f[1]),
                lerp(lerp(corner[1][0][0], corner[1][0][1], f[2]), lerp(corner[1][1][0], corner[1][1][1], f[2]), f[1]),
                f[0])


def fractal3(p, seed, octaves=4):
    """Octaves of noise3, each turned against the last so that the lattice
    does not show as square shapes."""
    total, amp = 0.0, 0.5
    for o in range(octaves):
        total += amp * noise3(p[0], p[1], p[2], seed + o)
        amp *= 0.5
        x, y, z = 1.6 * p[0] + 1.2 * p[2], 2.0 * p[1], -1.2 * p[0] + 1.6 * p[2]  # twice the scale, turned
        p = (x, 0.8 * y - 0.6 * z, 0.6 * y + 0.8 * z)
    return total


def smoothstep(a, b, x):
    t = max(0.0, min(1.0, (x - a) / (b - a)))
    return t * t * (3 - 2 * t)


def fractal(x, y, seed, octaves=4, period=None):
    total, amp, scale = 0.0, 0.5, 1.0
    for o in range(octaves):
        total += amp * noise(x * scale, y * scale, seed + o, period * int(scale) if period else None)
        amp *= 0.5
        scale *= 2
    return total


def mix(a, b, t):
    return tuple(a[i] + (b[i] - a[i]) * t for i in range(3))
