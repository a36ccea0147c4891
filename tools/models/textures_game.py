"""The game's textures: what each looks like."""
import math

from textures import fractal, hash2, mix, noise, write_jpeg, write_png


def sky(path):
    # Above the horizon a dusk sky with stars; below it a sea of clouds, so
    # that the sky's slow turn shows under the board.
    top, horizon, glow, sea = (18, 30, 86), (110, 160, 220), (250, 200, 170), (70, 120, 200)

    def px(x, y):
        v = y / 127.0                         # 0 at the zenith, 1 at the nadir
        if v < 0.5:
            base = mix(top, horizon, min(1.0, v / 0.5) ** 1.5)
            if v > 0.42:
                base = mix(base, glow, (v - 0.42) / 0.08)
            if v < 0.3 and hash2(x, y, 3) > 0.992:
                base = mix(base, (255, 255, 230), 0.9)
            return base
        base = mix(glow, sea, min(1.0, (v - 0.5) / 0.12))
        cloud = fractal(x / 16.0, y / 8.0, 7, 5, period=16)
        cover = 0.55 - 0.25 * min(1.0, (v - 0.5) / 0.3)
        c = max(0.0, cloud - cover) * 3.0
        # Straight down every column meets at one point: fade to one colour.
        return mix(mix(base, (240, 244, 250), min(1.0, c)), (150, 180, 225), max(0.0, (v - 0.75) / 0.25))

    write_png(path, 256, 128, px)


def floor(path):
    def px(x, y):
        gx, gy = x % 128, y % 128
        edge = min(gx, gy, 127 - gx, 127 - gy)
        n = fractal(x / 16.0, y / 16.0, 11, 4, period=8)
        c = mix((196, 170, 128), (232, 212, 170), n)
        if edge < 3:
            c = mix(c, (120, 100, 80), 0.6)
        return c

    write_jpeg(path, 128, 128, px)


def wall(path):
    def px(x, y):
        row = y // 16
        shift = 16 if row % 2 else 0
        bx, by = (x + shift) % 32, y % 16
        mortar = bx < 2 or by < 2
        n = fractal(x / 8.0, y / 8.0, 21, 3, period=8)
        tint = hash2((x + shift) // 32, row, 5) * 0.25
        c = mix((120, 82, 60), (168, 112, 78), n * 0.7 + tint)
        return (200, 196, 184) if mortar else c

    write_png(path, 64, 64, px)


def planks(path):
    def px(x, y):
        plank = x // 16
        grain = noise(x / 3.0 + plank * 7, y / 40.0, 31) * 0.6 + math.sin(y / 5.0 + plank * 2) * 0.1
        c = mix((110, 66, 34), (170, 112, 60), grain + hash2(plank, 0, 9) * 0.3)
        if x % 16 < 1:
            c = mix(c, (50, 30, 18), 0.8)
        return c

    write_jpeg(path, 64, 128, px)


def twigs(path):
    def px(x, y):
        a = noise(x / 4.0, y / 1.5, 41, period=None)
        b = noise(x / 1.5, y / 4.0, 43, period=None)
        t = max(a, b)
        return mix((70, 48, 26), (186, 150, 92), t ** 2)

    write_jpeg(path, 64, 64, px)


def ball(path, body, accent, pattern):
    def px(x, y):
        u, v = x / 64.0, y / 32.0
        if pattern == "band":
            on = abs(v - 0.5) < 0.09 or (abs(v - 0.5) < 0.2 and int(u * 8) % 2 == 0 and abs(v - 0.5) > 0.14)
        elif pattern == "stripes":
            on = int(u * 12) % 3 == 0
        else:  # spots
            cx, cy = (u * 6) % 1 - 0.5, (v * 4) % 1 - 0.5
            on = cx * cx + cy * cy < 0.08
        shade = 0.85 + 0.15 * noise(x / 6.0, y / 6.0, 51)
        c = accent if on else body
        return tuple(ch * shade for ch in c)

    write_png(path, 64, 32, px)


def swirl(path):
    def px(x, y):
        dx, dy = (x - 31.5) / 32.0, (y - 31.5) / 32.0
        r = math.sqrt(dx * dx + dy * dy)
        a = math.atan2(dy, dx)
        t = 0.5 + 0.5 * math.sin(a * 3 + r * 14)
        c = mix((60, 20, 120), (120, 220, 255), t * (1 - min(1, r)))
        return mix(c, (255, 255, 255), max(0.0, 0.25 - r) * 3)

    write_png(path, 64, 64, px)


def build_all(folder):
    import os
    sky(os.path.join(folder, "sky.png"))
    floor(os.path.join(folder, "floor.jpg"))
    wall(os.path.join(folder, "wall.png"))
    planks(os.path.join(folder, "planks.jpg"))
    twigs(os.path.join(folder, "twigs.jpg"))
    ball(os.path.join(folder, "orbel1.png"), (240, 130, 30), (255, 240, 200), "band")
    ball(os.path.join(folder, "orbel2.png"), (40, 120, 230), (200, 240, 255), "stripes")
    ball(os.path.join(folder, "orbel3.png"), (60, 180, 70), (250, 230, 80), "spots")
    swirl(os.path.join(folder, "swirl.png"))
