#!/usr/bin/env python3
"""Builds the game's twelve mp3 files in res/sounds from assets/sounds.

Music tracks are scores (*.score): a tempo, a loop length in bars and one
line of notes per voice; each voice is synthesized by sox as one chain of
notes, the voices are placed left to right (pan=) and mixed in stereo, and
the mix is played twice through the master effects so that the reverb tail
of its end sounds under its start: the second pass is kept, so the track
repeats without a seam (the decoder drops lame's own delay and padding).
Effects (effects.txt) are sox synth chains, encoded mono.

Every sound is brought to a loudness target (BS.1770, see loudness.py)
with its peaks held under a ceiling, so that effects sit evenly over the
music and their sum does not clip.

Usage: build_sounds.py [--out DIR] [--check]
"""
import argparse
import math
import os
import re
import shlex
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import manifest  # noqa: E402
import loudness  # noqa: E402
import mp3_info  # noqa: E402

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
ASSETS = os.path.join(ROOT, "assets", "sounds")
MANIFEST = "assets/sounds/built.sha256"
INPUTS = ["tools/sounds/build_sounds.py", "tools/sounds/loudness.py", "tools/sounds/mp3_info.py",
          "assets/sounds/*.score", "assets/sounds/effects.txt"]
OUTPUTS = ["res/sounds/*.mp3"]
RATE = 44100
LAME_MUSIC = ["lame", "--quiet", "-m", "j", "-b", "128", "--noreplaygain"]
LAME_EFFECT = ["lame", "--quiet", "-m", "m", "-b", "96", "--noreplaygain"]
MUSIC_LUFS, EFFECT_LUFS = -20.0, -16.0
PEAK_CEILING = -6.0     # dBFS, in the decoded files
PEAK_MARGIN = 0.5       # kept under the ceiling before encoding: mp3 overshoots a little
LOUDNESS_TOLERANCE = 1.0
LONGEST = {"goal_reached.mp3": 0.25}  # seconds; the game cuts it off when the ball arrives
SOX = ["sox", "-V1", "-R", "-D"]  # repeatable noise, no dither: the same bytes every run

NOTE_INDEX = {"C": 0, "D": 2, "E": 4, "F": 5, "G": 7, "A": 9, "B": 11}


def note_frequency(name):
    m = re.fullmatch(r"([A-G])([#b]?)(-?\d)", name)
    if not m:
        raise ValueError("bad note " + name)
    semis = NOTE_INDEX[m.group(1)] + {"#": 1, "b": -1, "": 0}[m.group(2)]
    midi = 12 * (int(m.group(3)) + 1) + semis
    return 440.0 * 2 ** ((midi - 69) / 12.0)


class Voice:
    def __init__(self, fields):
        # voice NAME WAVE gain=DB attack=S release=S [length=SHARE] [pan=P] [fx=...] : notes
        self.name, self.wave = fields[0], fields[1]
        opts = dict(f.split("=", 1) for f in fields[2:])
        self.gain = float(opts.get("gain", "-12"))
        self.attack = float(opts.get("attack", "0.005"))
        self.release = float(opts.get("release", "0.1"))
        self.length = float(opts.get("length", "1.0"))  # share of the slot sounded
        self.pan = float(opts.get("pan", "0"))  # -1 left to 1 right
        self.extra = opts.get("fx", "").replace(",", " ").split()
        self.notes = []  # (note or chord or 'r', beats)

    def chains(self, beat):
        """One sox effects chain per note: a rest, a tone, a chord (A+B), a
        sweep (A~B) or, for noise voices, a hit (x)."""
        out = []
        for note, beats in self.notes:
            slot = beats * beat
            if note == "r":
                out.append(["synth", "%.5f" % slot, "sine", "0", "vol", "0"])
                continue
            sound = slot * self.length
            chain = []
            for i, tone in enumerate(note.split("+")):
                chain += ["synth", "%.5f" % sound, self.wave]
                chain += ["mix"] if i else []
                if self.wave == "noise" or self.wave.endswith("noise"):
                    continue
                if "~" in tone:
                    a, b = tone.split("~")
                    chain.append("%.2f-%.2f" % (note_frequency(a), note_frequency(b)))
                else:
                    chain.append("%.2f" % note_frequency(tone))
            chain += ["fade", "q", "%.5f" % min(self.attack, sound), "%.5f" % sound,
                      "%.5f" % min(self.release, sound)]
            chain += self.extra
            chain += ["gain", "%.1f" % self.gain]
            if slot > sound:
                chain += ["pad", "0", "%.5f" % (slot - sound)]
            out.append(chain)
        return out


def strip_comment(line):
    # '#' starts a comment only at a word's start: C#4 is a note.
    return re.sub(r"(^|\s)#.*", "", line).strip()


def parse_score(path):
    tempo, bars, beats_per_bar, fx = 120.0, 0, 4, []
    voices = []
    current = None
    with open(path) as f:
        for raw in f:
            line = strip_comment(raw)
            if not line:
                continue
            words = line.split()
            if words[0] == "tempo":
                tempo = float(words[1])
            elif words[0] == "bars":
                bars = int(words[1])
            elif words[0] == "meter":
                beats_per_bar = int(words[1])
            elif words[0] == "master":
                fx = words[1:]
            elif words[0] == "voice":
                current = Voice(words[1:])
                voices.append(current)
            else:
                repeat = 1
                if words[0].startswith("x") and words[0][1:].isdigit():
                    repeat, words = int(words[0][1:]), words[1:]
                notes = []
                for w in words:
                    note, _, beats = w.partition("/")
                    notes.append((note, float(beats or 1)))
                current.notes += notes * repeat
    beat = 60.0 / tempo
    total = bars * beats_per_bar
    for v in voices:
        got = sum(b for _, b in v.notes)
        if abs(got - total) > 1e-6:
            raise ValueError("%s: voice %s has %g beats, the loop has %d" % (path, v.name, got, total))
    return beat, total * beat, voices, fx


def run(cmd):
    subprocess.run(cmd, check=True)


def pan_gains(pan):
    """Left and right gains of a voice at pan -1 (left) to 1 (right), equal power."""
    angle = (pan + 1) * math.pi / 4
    return math.cos(angle) * math.sqrt(2), math.sin(angle) * math.sqrt(2)


def limiter(ceiling):
    """A sox limiter holding peaks at `ceiling` dBFS: it follows each peak at
    once and, with a 2 ms look-ahead, turns it down before it sounds (sox
    keeps the sound where it was)."""
    return ["compand", "0,0.1", "1:-90,-90,%.2f,%.2f,0,%.2f" % (ceiling, ceiling, ceiling), "0", "-90", "0.002"]


def normalise(source, target, out, span=()):
    """Writes source at `target` LUFS as 16-bit, peaks held under the ceiling
    (limited when the loudness needs it); span: sox effects that pick the
    part to keep, measured as kept."""
    ceiling = PEAK_CEILING - PEAK_MARGIN
    for attempt in range(8):
        gain = target - loudness.integrated(source, span)
        headroom = ceiling - loudness.peak_dbfs(source, span)
        if gain <= headroom or attempt == 7:
            break
        limited = "%s.%d.wav" % (out, attempt)
        run(SOX + [source, "-b", "32", limited, "gain", "%.2f" % gain] + limiter(ceiling - 0.5))
        source = limited
    if gain > headroom:
        print("%s: peaks allow only %.1f LUFS" % (os.path.basename(out)[:-4], target - gain + headroom))
        gain = headroom
    run(SOX + [source, "-b", "16", out] + list(span) + ["gain", "%.2f" % gain])


def build_music(score, out_mp3, tmp):
    beat, loop_seconds, voices, master = parse_score(score)
    stems = []
    for v in voices:
        stem = os.path.join(tmp, v.name + ".wav")
        cmd = SOX + ["-n", "-r", str(RATE), "-c", "1", "-b", "32", stem]
        for i, c in enumerate(v.chains(beat)):
            cmd += ([":"] if i else []) + c
        run(cmd)
        stems.append(stem)
    # Each voice is scaled by 1/n, as sox's own mix does, so the sum cannot clip.
    sides = [[], []]
    for i, v in enumerate(voices):
        for side, g in zip(sides, pan_gains(v.pan)):
            side.append("%dv%.4f" % (i + 1, g / len(voices)))
    dry, wet = os.path.join(tmp, "dry.wav"), os.path.join(tmp, "wet.wav")
    inputs = ["-M"] + stems if len(stems) > 1 else stems
    run(SOX + inputs + ["-b", "32", dry, "remix", ",".join(sides[0]), ",".join(sides[1])])
    # The same samples twice (noise voices included), so that the end of the
    # second pass, which is kept, runs on into its own start.
    run(SOX + [dry, dry, "-b", "32", wet] + master)
    level = os.path.join(tmp, os.path.basename(out_mp3) + ".wav")
    normalise(wet, MUSIC_LUFS, level, span=["trim", "%.5f" % loop_seconds, "%.5f" % loop_seconds])
    run(LAME_MUSIC + [level, out_mp3])


def build_effects(path, out_dir, tmp):
    for name, recipe in read_effects(path):
        raw = os.path.join(tmp, name + ".raw.wav")
        wav = os.path.join(tmp, name + ".wav")
        run(SOX + ["-n", "-r", str(RATE), "-c", "1", "-b", "32", raw] + shlex.split(recipe))
        normalise(raw, EFFECT_LUFS, wav)
        run(LAME_EFFECT + [wav, os.path.join(out_dir, name)])


def read_effects(path):
    with open(path) as f:
        for raw in f:
            line = strip_comment(raw)
            if line:
                name, _, recipe = line.partition(":")
                yield name.strip(), recipe


def check_levels():
    """Complaints about the built files' loudness, peaks, lengths and format."""
    problems = []
    effects = {name for name, _ in read_effects(os.path.join(ASSETS, "effects.txt"))}
    for path in manifest.expand(OUTPUTS):
        name = os.path.basename(path)
        full = os.path.join(ROOT, path)
        info = mp3_info.read(full)
        target = EFFECT_LUFS if name in effects else MUSIC_LUFS
        span = ["trim", "%ds" % info.start, "%ds" % info.samples]
        measured, peak = loudness.integrated(full, span), loudness.peak_dbfs(full, span)
        if abs(measured - target) > LOUDNESS_TOLERANCE:
            problems.append("%s: %.1f LUFS, not %.0f" % (path, measured, target))
        if peak > PEAK_CEILING:
            problems.append("%s: peaks at %.1f dBFS, over %.0f" % (path, peak, PEAK_CEILING))
        if info.samples / info.rate > LONGEST.get(name, float("inf")):
            problems.append("%s: lasts %.3f s, longer than %.3f" % (path, info.samples / info.rate, LONGEST[name]))
        if name not in effects and (info.rate != RATE or info.kbps < 96):
            problems.append("%s: %d Hz at %d kbit/s; music wants %d Hz and 96 kbit/s or more"
                            % (path, info.rate, info.kbps, RATE))
    return problems


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--out", default=os.path.join(ROOT, "res", "sounds"))
    ap.add_argument("--check", action="store_true",
                    help="only tell whether res/sounds is current and within its loudness targets")
    args = ap.parse_args()
    if args.check:
        problems = manifest.check(MANIFEST, INPUTS, OUTPUTS) + check_levels()
        print("\n".join(problems) or "res/sounds is current")
        return 1 if problems else 0
    os.makedirs(args.out, exist_ok=True)
    with tempfile.TemporaryDirectory() as tmp:
        for i in range(1, 5):
            build_music(os.path.join(ASSETS, "level%d.score" % i), os.path.join(args.out, "level%d.mp3" % i), tmp)
        build_effects(os.path.join(ASSETS, "effects.txt"), args.out, tmp)
    if os.path.abspath(args.out) == os.path.join(ROOT, "res", "sounds"):
        manifest.write(MANIFEST, manifest.expand(INPUTS), manifest.expand(OUTPUTS))
    return 0


if __name__ == "__main__":
    sys.exit(main())
