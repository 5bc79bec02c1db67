#!/usr/bin/python3
"""The corpora as subtitle files are written today: typographic UTF-8 and
Windows-1252 variants of the plain ASCII text, and the same text in ASCII.

    bench/quality/typeset.py [--seed N] [--corpus NAME] DIR

writes every variant of the corpora into DIR, the original and the damaged
text of each (damage seed N, default 1), for a look at what the benchmark
scores; bench/quality/run makes them itself, in a temporary folder.

Each text line is typeset by one mapping of its plain characters: curly
apostrophes and quotes, ellipses and dashes, and for the dialogue and the
seasons what subtitles for the deaf and hard of hearing hold: sound tags in
capitals, actions between asterisks, sung lines between music marks and a
speaker label now and then. The damaged line is typeset by the same mapping,
less the spaces that the damage removed from the plain line, so every variant
loses the same spaces. What is drawn at random (which lines get a label, and
whose) is seeded by the file and the line's place in it.
"""

import argparse
import os
import random
import re
import sys

# plain: the corpus as it is; ascii: the typeset text with ASCII marks in
# place of the typographic ones (the same text a program of bytes sees); utf8
# and cp1252: the typeset text in those encodings.
TEXTS = ("plain", "ascii", "utf8", "cp1252")
# A UTF-8 file written with a byte order mark, as most editors on Windows do.
ENCODINGS = {"plain": "ascii", "ascii": "ascii", "utf8": "utf-8-sig", "cp1252": "cp1252"}

# Windows-1252 has no music note; ¶, which it has, stands in for it.
CP1252_OF = str.maketrans({"♪": "¶"})
ASCII_OF = str.maketrans({"’": "'", "‘": "'", "“": '"', "”": '"', "…": "...", "—": "--",
                          "–": "-", "♪": "#"})

# Lines that start a turn and get a speaker label: about one in eight.
LABEL_SHARE = 0.125
# An apostrophe before these words stands for dropped letters, not a quote.
ELISIONS = {"cause", "em", "bout", "til", "till", "n", "round", "kay", "tis", "twas", "scuse"}


def vocatives(lines, lower):
    """The names a file calls out at a line's start ("Rosa, you eat?") and
    names inside a sentence too ("with Rosa"), which the corpus (`lower`, its
    lower-case words) never writes in lower case: the speakers of its labels,
    in capitals."""
    inside = set(m.group(1) for line in lines
                 for m in re.finditer(r"[a-z,] ([A-Z][a-z]+)\b", line))
    called = set()
    for line in lines:
        m = re.match(r"(?:- )?([A-Z][a-z]+), ", line)
        if m and m.group(1).lower() not in lower and m.group(1) in inside:
            called.add(m.group(1))
    return sorted(w.upper() for w in called)


def label_place(line):
    """Where a label goes: before the line, or after its dialogue dash; None
    when the line starts with markup, a tag or a song."""
    at = 2 if line.startswith("- ") else 0
    return at if at < len(line) and (line[at].isalpha() or line[at] in "\"'") else None


def sdh_marks(line, out):
    """Sound tags in capitals; a one-word action in parentheses between
    asterisks, a longer one as a tag; a song's # as a music mark."""
    for m in re.finditer(r"\[[^\]]*\]", line):
        for k in range(m.start() + 1, m.end() - 1):
            out[k] = line[k].upper()
    for m in re.finditer(r"\(([^()]*)\)", line):
        if re.fullmatch(r"[a-z]+", m.group(1)):
            out[m.start()] = out[m.end() - 1] = "*"
        else:
            out[m.start()], out[m.end() - 1] = "[", "]"
            for k in range(m.start() + 1, m.end() - 1):
                out[k] = line[k].upper()
    for k, c in enumerate(line):
        if c == "#":
            out[k] = "♪"


def dashes(line, out):
    """"--" as an em dash set close ("No—wait", "uh—sorry"); a spaced hyphen
    inside a line as a spaced en dash; "..." as an ellipsis."""
    for m in re.finditer(r"\.\.\.", line):
        out[m.start()], out[m.start() + 1], out[m.start() + 2] = "…", "", ""
    for m in re.finditer(r"--", line):
        s, e = m.start(), m.end()
        out[s], out[s + 1] = "—", ""
        if e + 1 < len(line) and line[e] == " " and line[e + 1].isalpha():
            out[e] = ""
            if s > 1 and line[s - 1] == " " and line[s - 2] != " ":
                out[s - 1] = ""
    for m in re.finditer(r"(?<=\S) - (?=\S)", line):
        out[m.start() + 1] = "–"


def quotes(line, out):
    """Double quotes curled by what stands before them; an apostrophe is a
    right single quote, or a left one where it opens a quotation that a
    later one closes ('Cause and 'em are no quotations)."""
    n = len(line)
    for k, c in enumerate(line):
        opening = k == 0 or line[k - 1] in " ([-"
        if c == '"':
            out[k] = "“" if opening else "”"
        elif c == "'":
            out[k] = "’"
            word = re.match(r"[A-Za-z]*", line[k + 1:]).group(0).lower()
            closes = any(line[j] == "'" and (j + 1 == n or not line[j + 1].isalpha())
                         for j in range(k + 2, n))
            if opening and word and word not in ELISIONS and closes:
                out[k] = "‘"


def typeset_map(line, sdh, label=None):
    """What each character of the plain line becomes (one string each, maybe
    empty); `label`, a speaker, goes before the line or after its dash."""
    out = list(line)
    if sdh:
        sdh_marks(line, out)
    dashes(line, out)
    quotes(line, out)
    at = label_place(line) if label else None
    if at is not None:
        out[at] = label + ": " + out[at]
    return out


def removed_spaces(original, damaged):
    """The places of the original's spaces that the damage removed."""
    removed, j = set(), 0
    for i, c in enumerate(original):
        if j < len(damaged) and damaged[j] == c:
            j += 1
        elif c == " ":
            removed.add(i)
        else:
            raise ValueError("not a damage of the line: %r / %r" % (original, damaged))
    return removed


def in_text(typeset, text):
    """A typeset line as the variant writes it."""
    if text == "ascii":
        return typeset.translate(ASCII_OF)
    if text == "cp1252":
        # What Windows-1252 cannot hold at all (an arrow of the manuals)
        # becomes "?", as a converter writes it.
        return typeset.translate(CP1252_OF).encode("cp1252", "replace").decode("cp1252")
    return typeset


def typeset_cues(cues, damaged, text, sdh):
    """The cues and their damaged copy in the variant `text`; `sdh` adds the
    marks of subtitles for the deaf and hard of hearing. Each file draws its
    labels by itself, from its series' own names."""
    if text == "plain":
        return cues, damaged
    series = {}
    for name, cue in cues:
        series.setdefault(name.partition("/")[0] if name else name, []).extend(cue)
    lower = set(w for lines in series.values() for line in lines
                for w in re.findall(r"\b[a-z]+\b", line))
    speakers = {s: vocatives(lines, lower) for s, lines in series.items()}
    places = {}
    out, out_damaged = [], []
    for (name, cue), (_, hurt) in zip(cues, damaged):
        place = places[name] = places.get(name, -1) + 1
        names = speakers[name.partition("/")[0] if name else name] if sdh else []
        lines, hurt_lines = [], []
        for li, (line, hurt_line) in enumerate(zip(cue, hurt)):
            rng = random.Random("label:%s:%d:%d" % (name, place, li))
            starts_turn = li == 0 or line.startswith("- ")
            label = (rng.choice(names) if names and starts_turn and rng.random() < LABEL_SHARE
                     else None)
            chars = typeset_map(line, sdh, label)
            gone = removed_spaces(line, hurt_line)
            lines.append(in_text("".join(chars), text))
            hurt_lines.append(in_text("".join(c for k, c in enumerate(chars) if k not in gone),
                                      text))
        out.append((name, lines))
        out_damaged.append((name, hurt_lines))
    return out, out_damaged


def main():
    sys.dont_write_bytecode = True
    sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
    import qualitylib as q

    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--seed", type=int, default=1)
    parser.add_argument("--corpus", action="append",
                        choices=[c.name for c in q.CORPORA + (q.SEASONS,)])
    parser.add_argument("folder")
    args = parser.parse_args()
    for corpus in q.CORPORA + (q.SEASONS,):
        if args.corpus and corpus.name not in args.corpus:
            continue
        cues = corpus.cues()
        damaged = q.damage(cues, args.seed)
        for text in TEXTS:
            typeset, hurt = typeset_cues(cues, damaged, text, corpus.sdh)
            for kind, which in (("original", typeset), ("damaged", hurt)):
                path = os.path.join(args.folder, "%s-%s-%s.srt" % (corpus.name, text, kind))
                q.write_srt(which, path, ENCODINGS[text])


if __name__ == "__main__":
    main()
