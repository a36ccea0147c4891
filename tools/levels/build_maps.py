#!/usr/bin/env python3
"""Builds res/maps/<name>.mn from assets/maps/<name>.txt: the level picture
becomes map records, which the scramble tool stores as the game reads them.

Usage: build_maps.py SCRAMBLE_TOOL [--check]
  --check  decode every res/maps/*.mn and compare it with what its source
           builds; exit 1 on any difference, missing or extra map.
"""
import glob
import os
import subprocess
import sys
import tempfile

import level_source

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
SOURCES = os.path.join(ROOT, "assets", "maps")
MAPS = os.path.join(ROOT, "res", "maps")


def plain_text(source):
    return "".join(line + "\n" for line in level_source.records(level_source.parse(source)))


def main():
    args = [a for a in sys.argv[1:] if not a.startswith("--")]
    if len(args) != 1:
        print(__doc__)
        return 2
    tool, check = args[0], "--check" in sys.argv
    os.makedirs(MAPS, exist_ok=True)
    sources = sorted(glob.glob(os.path.join(SOURCES, "*.txt")))
    names = {os.path.splitext(os.path.basename(s))[0] for s in sources}
    problems = []
    with tempfile.TemporaryDirectory() as tmp:
        for source in sources:
            name = os.path.splitext(os.path.basename(source))[0]
            built = os.path.join(MAPS, name + ".mn")
            plain = os.path.join(tmp, name + ".txt")
            if check:
                if not os.path.exists(built):
                    problems.append("res/maps/%s.mn is missing" % name)
                    continue
                subprocess.run([tool, "decode", built, plain], check=True)
                with open(plain) as f:
                    if f.read() != plain_text(source):
                        problems.append("res/maps/%s.mn differs from what assets/maps/%s.txt builds" % (name, name))
            else:
                with open(plain, "w") as f:
                    f.write(plain_text(source))
                subprocess.run([tool, "encode", plain, built], check=True)
    for built in glob.glob(os.path.join(MAPS, "*.mn")):
        if os.path.splitext(os.path.basename(built))[0] not in names:
            problems.append("res/maps/%s has no source" % os.path.basename(built))
    print("\n".join(problems) or ("res/maps is current" if check else "built %d maps" % len(sources)))
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
