"""Manifests of generated data: which sources a generator read and which
files it wrote, each with its SHA-256. Binary output (mp3, png, jpeg) may
differ byte for byte between tool versions, so the up-to-date check compares
recorded digests instead of rebuilding: a source edited since the last build,
or a built file changed by hand, both show as a mismatch.

A manifest is text, one entry a line: "in|out <sha256> <path from the root>".
"""
import glob
import hashlib
import os

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))


def digest(path):
    with open(os.path.join(ROOT, path), "rb") as f:
        return hashlib.sha256(f.read()).hexdigest()


def expand(patterns):
    paths = set()
    for p in patterns:
        paths.update(os.path.relpath(q, ROOT) for q in glob.glob(os.path.join(ROOT, p)))
    return sorted(paths)


def write(manifest, inputs, outputs):
    lines = ["in %s %s\n" % (digest(p), p) for p in sorted(inputs)]
    lines += ["out %s %s\n" % (digest(p), p) for p in sorted(outputs)]
    with open(os.path.join(ROOT, manifest), "w") as f:
        f.writelines(lines)


def check(manifest, input_patterns, output_patterns):
    """Returns a list of complaints; empty when the built files are current."""
    problems = []
    recorded = {"in": {}, "out": {}}
    with open(os.path.join(ROOT, manifest)) as f:
        for line in f:
            kind, sha, path = line.split(" ", 2)
            recorded[kind][path.rstrip("\n")] = sha
    for kind, patterns in (("in", input_patterns), ("out", output_patterns)):
        present = expand(patterns)
        for path in sorted(set(present) | set(recorded[kind])):
            if path not in recorded[kind]:
                problems.append("%s: %s is not in the manifest" % (manifest, path))
            elif path not in present:
                problems.append("%s: %s is missing" % (manifest, path))
            elif digest(path) != recorded[kind][path]:
                what = "source changed since the last build" if kind == "in" else "differs from what was built"
                problems.append("%s: %s %s" % (manifest, path, what))
    return problems
