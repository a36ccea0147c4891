"""What a level's board paints on its floor to tell pieces apart that wear
the same model: each warp pair's pad, the track a rolling thorn runs on,
and the link between plates that open their gate only together.

Marks lie flat just over the floor, in the board's own space: a cell (row r,
column c of the level source) covers x from rows/2 - r - 1 to rows/2 - r
and z from cols/2 - c - 1 to cols/2 - c.
"""
import math

from textures_game import painted

# One colour a warp pair, in the order the pairs first appear on the board;
# far apart in hue or shade, and none the red of thorns, the amber of
# plates or the teal of joint plates.
PAD_PAINTS = ["rose", "lime", "sky", "orange", "dark"]
PAD_INSET = 0.04
PAD_BAND = 0.1  # an outline's, as wide as the warp's ring leaves free
PAD_LIFT = 0.01  # over the floor, so the two never fight for depth
# Tracks and links lie under the pads, which they may cross, each colour
# laid over the one it sits on.
MARK_LIFT = 0.004
MARK_TOP = 0.007
TRACK_HALF = 0.2  # half a thorn's width: the thorn stands out on its lane
TRACK_STOP = 0.09  # the bar across each end of a track
LINK_HALF = 0.12
HALO = 0.18  # the frame round a joint plate, reaching into its neighbours


def object_cells(level):
    """Each object of the level with the cells its letter covers."""
    cells = {}
    for r, row in enumerate(level.rows):
        for c, ch in enumerate(row):
            cells.setdefault(ch, []).append((r, c))
    return [(o, cells[o["letter"]]) for o in level.objects]


def cell_rect(level, r, c):
    """(x0, z0, x1, z1) of a cell."""
    x1, z1 = len(level.rows) / 2 - r, len(level.rows[0]) / 2 - c
    return x1 - 1, z1 - 1, x1, z1


def flat_quad(mesh, x0, z0, x1, z1, material, lift):
    mesh.quad([(x0, lift, z0), (x1, lift, z0), (x1, lift, z1), (x0, lift, z1)], (0, 1, 0), material)


def warp_pairs(level):
    """Each warp's pair number: warps joined by their targets share one."""
    parent = {}

    def root(name):
        while parent.setdefault(name, name) != name:
            name = parent[name]
        return name

    warps = [o for o in level.objects if o["kind"] == "warp"]
    for o in warps:
        parent[root(o["name"])] = root(o["opts"].get("target", o["name"]))
    numbers = {}
    for o in sorted(warps, key=lambda o: (-o["x"], -o["z"])):
        numbers.setdefault(root(o["name"]), len(numbers))
    return [(o, numbers[root(o["name"])]) for o in warps]


def warp_pads(mesh, level):
    """A solid pad under a warp that sends pieces on, an outline under one
    that only receives them (its target is itself)."""
    for o, pair in warp_pairs(level):
        pad = painted(PAD_PAINTS[pair % len(PAD_PAINTS)], 0.5)
        x0, x1 = o["x"] + PAD_INSET, o["x"] + o["length"] - PAD_INSET
        z0, z1 = o["z"] - o["width"] + PAD_INSET, o["z"] - PAD_INSET
        if o["opts"].get("target", o["name"]) != o["name"]:
            flat_quad(mesh, x0, z0, x1, z1, pad, PAD_LIFT)
            continue
        b = PAD_BAND
        for box in ((x0, z0, x1, z0 + b), (x0, z1 - b, x1, z1), (x0, z0 + b, x0 + b, z1 - b),
                    (x1 - b, z0 + b, x1, z1 - b)):
            flat_quad(mesh, *box, pad, PAD_LIFT)


def is_rolling_thorn(o):
    """Thorns laid along +x or +z roll with the tilt; the rest stay put."""
    return o["kind"] == "spike" and o["opts"].get("dir", "")[:1] in ("X", "Z")


def thorn_tracks(level):
    """Each rolling thorn with the first and last cell of the line it can
    roll along: from its own cell each way up to a wall or a piece that
    never moves (balls and rolling thorns move, so the line runs on)."""
    held = set()
    for o, cells in object_cells(level):
        if o["kind"] != "ball" and not is_rolling_thorn(o):
            held.update(cells)
    tracks = []
    for o, cells in object_cells(level):
        if not is_rolling_thorn(o):
            continue
        step = (1, 0) if o["opts"]["dir"][0] == "X" else (0, 1)
        ends = []
        for sign in (-1, 1):
            r, c = cells[0]
            while True:
                nr, nc = r + sign * step[0], c + sign * step[1]
                if not (0 <= nr < len(level.rows) and 0 <= nc < len(level.rows[nr])):
                    break
                if level.rows[nr][nc] == "#" or (nr, nc) in held:
                    break
                r, c = nr, nc
            ends.append((r, c))
        tracks.append((o, ends[0], ends[1]))
    return tracks


def paint_tracks(mesh, level):
    """A dark lane under the whole line a rolling thorn may reach, with a red
    bar across each end: the thorn is seen to roll, and how far. A thorn
    held in its own cell gets none, as it is as good as fixed."""
    lane, stop = painted("maroon", 0.4), painted("red", 0.5)
    inset, reach = 0.1, 0.36
    for o, first, last in thorn_tracks(level):
        if first == last:
            continue
        a, b = cell_rect(level, *first), cell_rect(level, *last)
        x0, z0 = min(a[0], b[0]) + inset, min(a[1], b[1]) + inset
        x1, z1 = max(a[2], b[2]) - inset, max(a[3], b[3]) - inset
        if o["opts"]["dir"][0] == "X":
            zc = (z0 + z1) / 2
            flat_quad(mesh, x0, zc - TRACK_HALF, x1, zc + TRACK_HALF, lane, MARK_LIFT)
            for x in (x0, x1 - TRACK_STOP):
                flat_quad(mesh, x, zc - reach, x + TRACK_STOP, zc + reach, stop, MARK_TOP)
        else:
            xc = (x0 + x1) / 2
            flat_quad(mesh, xc - TRACK_HALF, z0, xc + TRACK_HALF, z1, lane, MARK_LIFT)
            for z in (z0, z1 - TRACK_STOP):
                flat_quad(mesh, xc - reach, z, xc + reach, z + TRACK_STOP, stop, MARK_TOP)


def joint_plates(level):
    """The plates that open their gate only when all are pressed at once."""
    return [o for o in level.objects if o["kind"] == "trigger" and o["opts"].get("mode") == "S"]


def band(mesh, p, q, half, material, lift):
    """A flat band of half-width `half` from point p to point q (x, z)."""
    dx, dz = q[0] - p[0], q[1] - p[1]
    n = math.hypot(dx, dz)
    if n == 0:
        return
    ox, oz = -dz / n * half, dx / n * half
    corners = [(p[0] + ox, lift, p[1] + oz), (q[0] + ox, lift, q[1] + oz),
               (q[0] - ox, lift, q[1] - oz), (p[0] - ox, lift, p[1] - oz)]
    mesh.quad(corners, (0, 1, 0), material)


def paint_plate_links(mesh, level):
    """A teal frame round every joint plate and a teal cable from each to the
    next: plates seen to work together, apart from plates that work alone."""
    dark, light = painted("deep teal", 0.4), painted("teal", 0.6)
    plates = sorted(joint_plates(level), key=lambda o: (-o["x"], -o["z"]))
    for o in plates:
        x0, x1, z0, z1 = o["x"], o["x"] + o["length"], o["z"] - o["width"], o["z"]
        for h, paint, lift in ((HALO, dark, MARK_LIFT), (HALO * 0.5, light, MARK_TOP)):
            for box in ((x0 - h, z0 - h, x1 + h, z0), (x0 - h, z1, x1 + h, z1 + h),
                        (x0 - h, z0, x0, z1), (x1, z0, x1 + h, z1)):
                flat_quad(mesh, *box, paint, lift)
    centres = [(o["x"] + o["length"] / 2, o["z"] - o["width"] / 2) for o in plates]
    for p, q in zip(centres, centres[1:]):
        band(mesh, p, q, LINK_HALF, dark, MARK_LIFT)
        band(mesh, p, q, LINK_HALF * 0.4, light, MARK_TOP)


def paint_marks(mesh, level):
    warp_pads(mesh, level)
    paint_tracks(mesh, level)
    paint_plate_links(mesh, level)
