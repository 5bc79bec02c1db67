#!/usr/bin/python3
"""Random lines repaired by unjam are always accepted by unjam-review: words
of a small list run together, i's doubled and tripled, "oft" joins, quote
pairs, markup and separators, over a list that makes many ambiguous splits.
The page's data shows each line with its block's timing, and gives back
the input's text with every change undone, as its download would, and
what follows a 0x1A in the repaired file, which unjam does not read (here
put back after the run), however long.

    generated-repairs.py UNJAM UNJAM-REVIEW [SEED [LINES]]
"""
import json
import os
import random
import re
import subprocess
import sys
import tempfile

WORDS = ("a are be bet ha haha he I in is it kir ok re rin see stil still the they this "
         "tween we what will you Kirrin Capt Captain ain crag moor ill ii").split()
PIECES = WORDS + ["ii", "iii", "xyz", "oft", "ofthe", "Zorblax", "q"]
# Longer than a read: the reader stops at its 0x1A, the rest is read apart.
TAIL = "\x1a" + "tail " * 20000
SEPARATORS = [" ", " ", " ", ", ", "''", "``", "-", "? ", "<i>", "</i>", "5", " www.a.com "]


def word(rng):
    """A run of pieces, often with an i doubled."""
    text = "".join(rng.choice(PIECES) for _ in range(rng.randint(1, 4)))
    for _ in range(rng.randint(0, 2)):
        at = text.find("i", rng.randrange(len(text)))
        if at >= 0:
            text = text[:at] + "i" + text[at:]
    return text


def line(rng):
    return "".join(word(rng) + rng.choice(SEPARATORS) for _ in range(rng.randint(1, 6))).strip()


def page_file(page):
    data = json.loads(re.search(rb'id="review-data">(.*?)</script>', page, re.S)[1])
    return data["files"][0]


def wrong_timings(file):
    return [line["n"] for line in file["lines"]
            if not re.fullmatch(r"00:00:0\d,000 --> 00:00:0\d,500", line["time"])]


def all_undone(file):
    """The repaired bytes the page holds, each change put back as it was:
    a line's text between changes is given by its length in those bytes."""
    after, parts, taken = file["after"].encode("latin-1"), [], 0
    for line in file["lines"]:
        at = line["at"]
        for seg in line["segs"]:
            if isinstance(seg, int):
                at += seg
                continue
            parts += [after[taken:at], seg[0].encode("latin-1")]
            at = taken = at + len(seg[1])
    return b"".join(parts) + after[taken:]


def main():
    unjam, review = (os.path.abspath(program) for program in sys.argv[1:3])
    seed = int(sys.argv[3]) if len(sys.argv) > 3 else 1
    count = int(sys.argv[4]) if len(sys.argv) > 4 else 3000
    rng = random.Random(seed)
    blocks = [f"{n}\n00:00:0{n % 10},000 --> 00:00:0{n % 10},500\n{line(rng)}\n{line(rng)}\n"
              for n in range(1, count // 2 + 1)]
    with tempfile.TemporaryDirectory(prefix="unjam-generated-") as work:
        with open(os.path.join(work, "words"), "w") as f:
            f.write("\n".join(sorted(set(WORDS), key=str.lower)) + "\n")
        with open(os.path.join(work, "before.srt"), "w") as f:
            f.write("\n".join(blocks) + TAIL)
        with open(os.path.join(work, "log.txt"), "wb") as log:
            subprocess.run([unjam, "before.srt", "after.srt"], cwd=work, stdout=log, check=True)
        with open(os.path.join(work, "after.srt"), "ab") as f:
            f.write(TAIL.encode())
        done = subprocess.run([review, "before.srt", "after.srt", "log.txt"], cwd=work,
                              stdout=subprocess.PIPE, stderr=subprocess.PIPE)
        if done.returncode != 0:
            print(f"seed {seed}: {done.stderr.decode(errors='replace')}")
            return 1
        file = page_file(done.stdout)
        if wrong_timings(file):
            print(f"seed {seed}: lines shown with another timing than their block's: "
                  f"{wrong_timings(file)[:5]}")
            return 1
        with open(os.path.join(work, "before.srt"), "rb") as f:
            # unjam ends its lines with CR LF.
            if all_undone(file) != f.read().replace(b"\n", b"\r\n"):
                print(f"seed {seed}: the page's changes, all undone, are not the input")
                return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
