"""The game's textures: what each looks like.

The sampler has no mip levels, so a texture drawn smaller than it is skips
texels: every pattern here is broad and soft-edged, so that what survives
is the pattern, not sparkle.
"""
import math
import os

from textures import fractal, fractal3, hash2, mix, noise, smoothstep, write_jpeg, write_png
from xfile import Material

# Plain colours, one swatch each in paint.png. A model paints a surface by
# pointing all its texture coordinates at a swatch, with a white material:
# light then scales the swatch and can never push it past its own colour.
PAINTS = ["steel", "iron", "dark", "gold", "amber", "red", "white", "cream", "brown", "wood",
          "violet", "lilac", "orange", "ice", "black", "stone", "lime", "rose", "sky", "teal", "maroon",
          "deep teal"]
PAINT_RGB = {
    "steel": (200, 204, 214), "iron": (88, 92, 104), "dark": (44, 46, 54), "gold": (255, 206, 60),
    "amber": (250, 160, 30), "red": (220, 40, 30), "white": (255, 255, 255), "cream": (255, 240, 205),
    "brown": (120, 84, 52), "wood": (150, 100, 58), "violet": (150, 70, 235), "lilac": (215, 175, 255),
    "orange": (255, 120, 20), "ice": (190, 240, 255), "black": (20, 20, 24), "stone": (130, 118, 104),
    "lime": (150, 230, 60), "rose": (250, 60, 160), "sky": (50, 150, 255), "teal": (20, 170, 160),
    "maroon": (110, 28, 34), "deep teal": (8, 96, 100),
}
PAINT_GRID = 8  # swatches a side


def paint_uv(name):
    """The texture coordinates of a swatch's centre in paint.png."""
    i = PAINTS.index(name)
    return ((i % PAINT_GRID + 0.5) / PAINT_GRID, (i // PAINT_GRID + 0.5) / PAINT_GRID)


def painted(name, glow=0.4, **kw):
    """A material of one swatch: white, so the swatch is the colour."""
    return Material((1, 1, 1), texture="paint.png", glow=glow, uv=paint_uv(name), **kw)


def paint(path):
    size = 256
    cell = size // PAINT_GRID

    def px(x, y):
        i = (y // cell) * PAINT_GRID + x // cell
        return PAINT_RGB[PAINTS[i]] if i < len(PAINTS) else (128, 128, 128)

    write_png(path, size, size, px)


# The camera looks down, so the sky below the horizon gets three quarters of
# the texture's rows: latitude theta (0 at the zenith) sits at row share v.
SKY_UPPER = 0.25


def sky_v(theta):
    half = math.pi / 2
    return SKY_UPPER * theta / half if theta <= half else SKY_UPPER + (1 - SKY_UPPER) * (theta - half) / half


def sky_theta(v):
    half = math.pi / 2
    return half * v / SKY_UPPER if v <= SKY_UPPER else half + half * (v - SKY_UPPER) / (1 - SKY_UPPER)


def sky(path):
    # Made from the direction each texel stands for, so the wrap and the
    # poles have nothing to join: dusk above, and below a sea of clouds that
    # a low sun lights rose on one side and lilac on the other. The status
    # text is yellow and the sky turns behind it, so no part of the sky may
    # be bright: all but a few stars stay under a relative luminance of
    # 0.28, where yellow keeps a contrast of 3:1.
    width, height = 512, 512
    zenith, horizon, ember = (14, 18, 52), (58, 54, 116), (150, 84, 96)
    sea = (22, 30, 78)
    shade, rose, lilac = (56, 50, 108), (196, 110, 150), (136, 124, 204)
    sun = (math.cos(0.6), math.sin(0.6))  # its bearing in x and z

    def px(x, y):
        theta = sky_theta((y + 0.5) / height)
        phi = 2 * math.pi * (x + 0.5) / width
        d = (math.sin(theta) * math.cos(phi), math.cos(theta), math.sin(theta) * math.sin(phi))
        up = d[1]
        if up > 0:
            base = mix(horizon, zenith, smoothstep(0.0, 0.7, up))
            base = mix(base, ember, (1 - smoothstep(0.0, 0.1, up)) * 0.7)
            star = fractal3(tuple(v * 40 for v in d), 3, 1)
            return mix(base, (235, 235, 255), smoothstep(0.84, 0.9, star) * smoothstep(0.15, 0.5, up))
        depth = -up
        base = mix(ember, sea, smoothstep(0.0, 0.25, depth))
        cloud = fractal3(tuple(v * 5.0 for v in d), 7, 4)
        cover = smoothstep(0.42, 0.62, cloud)
        flat = math.hypot(d[0], d[2]) or 1.0
        facing = 0.5 + 0.5 * (d[0] * sun[0] + d[2] * sun[1]) / flat
        lit = mix(shade, mix(lilac, rose, facing), smoothstep(0.45, 0.75, cloud))
        return mix(base, lit, cover * smoothstep(0.0, 0.1, depth))

    write_png(path, width, height, px)


def floor(path):
    # One tile a cell: a broad bevel and soft mottling, nothing finer.
    size = 256

    def px(x, y):
        edge = min(x, y, size - 1 - x, size - 1 - y) / size
        n = fractal(x / 48.0, y / 48.0, 11, 3, period=5)
        c = mix((192, 168, 128), (228, 208, 168), n)
        bevel = smoothstep(0.0, 0.09, edge)
        light = 0.78 + 0.22 * bevel + 0.08 * (1 - bevel) * (1 if x + y < size else -1)
        return tuple(ch * light for ch in c)

    write_jpeg(path, size, size, px)


def wall(path):
    # Two courses of long stone blocks a unit, joints wide and soft, so an
    # edge-on wall shows blocks rather than flicker.
    size = 256
    course, block = 128, 256

    def px(x, y):
        row = y // course
        bx = (x + (block // 2 if row % 2 else 0)) % size
        joint = min(bx % block, block - 1 - bx % block, y % course, course - 1 - y % course)
        stone = smoothstep(3.0, 14.0, joint)
        n = fractal(x / 40.0, y / 40.0, 21, 3, period=6)
        tint = hash2(bx // block, row, 5) * 0.3
        c = mix((132, 92, 68), (178, 124, 88), n * 0.7 + tint)
        return mix((112, 100, 92), c, stone)

    write_png(path, size, size, px)


def planks(path):
    def px(x, y):
        plank = x // 64
        grain = noise(x / 20.0 + plank * 7, y / 90.0, 31) * 0.6 + math.sin(y / 24.0 + plank * 2) * 0.08
        c = mix((112, 70, 38), (172, 116, 64), grain + hash2(plank, 0, 9) * 0.3)
        seam = min(x % 64, 63 - x % 64)
        return mix((60, 38, 22), c, smoothstep(1.0, 7.0, seam))

    write_jpeg(path, 256, 256, px)


def twigs(path):
    # Straw woven round the nest: broad light strands over a darker bed.
    def px(x, y):
        a = noise(x / 22.0, y / 7.0, 41, period=None)
        b = noise(x / 7.0, y / 22.0, 43, period=None)
        t = smoothstep(0.35, 0.8, max(a, b))
        return mix((120, 84, 40), (238, 206, 130), t)

    write_jpeg(path, 256, 256, px)


def goal(path):
    # The nest's hollow: a warm light at the heart and bright rings round
    # it, so it reads as the place to go even in shadow.
    size = 256

    def px(x, y):
        r = math.hypot(x + 0.5 - size / 2, y + 0.5 - size / 2) / (size / 2)
        heart = 1 - smoothstep(0.0, 0.55, r)
        ring = 0.5 + 0.5 * math.cos(r * math.pi * 5)
        c = mix((255, 150, 40), (255, 215, 110), ring * smoothstep(0.2, 0.5, r))
        return mix(c, (255, 252, 225), heart)

    write_png(path, size, size, px)


def ball(path, body, accent, pattern):
    width, height = 256, 128

    def px(x, y):
        u, v = (x + 0.5) / width, (y + 0.5) / height
        if pattern == "band":  # and a cap at each pole, so that it shows from above too
            d = abs(v - 0.5)
            on = max(1 - smoothstep(0.08, 0.1, d), smoothstep(0.36, 0.38, d))
            on = max(on, smoothstep(0.15, 0.17, d) * (1 - smoothstep(0.23, 0.25, d))
                     * smoothstep(-0.1, 0.1, math.sin(u * 16 * math.pi)))
        elif pattern == "stripes":
            on = smoothstep(-0.15, 0.15, math.sin(u * 8 * math.pi))
        else:  # spots
            cx, cy = (u * 6) % 1 - 0.5, (v * 4) % 1 - 0.5
            on = 1 - smoothstep(0.24, 0.3, math.hypot(cx, cy))
        # Mottled, but plain towards the poles, where every column meets.
        pole = smoothstep(0.0, 0.2, min(v, 1 - v))
        shade = 0.9 + 0.1 * (0.5 + (noise(x / 32.0, y / 32.0, 51, period=8) - 0.5) * pole)
        return tuple(ch * shade for ch in mix(body, accent, on))

    write_png(path, width, height, px)


def swirl(path, inner, outer, arms):
    size = 256

    def px(x, y):
        dx, dy = (x + 0.5 - size / 2) / (size / 2), (y + 0.5 - size / 2) / (size / 2)
        r = math.hypot(dx, dy)
        t = 0.5 + 0.5 * math.sin(math.atan2(dy, dx) * arms + r * 9)
        c = mix(outer, inner, t * (1 - min(1.0, r)) ** 0.6)
        return mix(c, (255, 255, 255), 1 - smoothstep(0.0, 0.22, r))

    write_png(path, size, size, px)


def build_all(folder):
    paint(os.path.join(folder, "paint.png"))
    sky(os.path.join(folder, "sky.png"))
    floor(os.path.join(folder, "floor.jpg"))
    wall(os.path.join(folder, "wall.png"))
    planks(os.path.join(folder, "planks.jpg"))
    twigs(os.path.join(folder, "twigs.jpg"))
    goal(os.path.join(folder, "goal.png"))
    ball(os.path.join(folder, "orbel1.png"), (240, 130, 30), (255, 240, 200), "band")
    ball(os.path.join(folder, "orbel2.png"), (40, 120, 230), (200, 240, 255), "stripes")
    ball(os.path.join(folder, "orbel3.png"), (60, 180, 70), (250, 230, 80), "spots")
    swirl(os.path.join(folder, "swirl.png"), (130, 220, 255), (70, 20, 130), 3)
