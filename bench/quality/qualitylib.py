"""Repair quality of unjam on two corpora: fortune cookies and dialogue.

Builds clean subtitle text from a fixed set of fortune files and from the
dialogue written for this benchmark (bench/quality/dialogue/), joins words by
removing some of the spaces between letters, runs unjam over it and compares
what comes back with the original text. Shared by bench/quality/run and
tools/derive-wordlist.
"""

import difflib
import os
import random
import re
import subprocess
import tempfile
import textwrap
import unicodedata

FORTUNE_DIR = "/usr/share/games/fortunes"

# The corpus: these ten files and no others.
FILES = ("wisdom", "literature", "humorists", "platitudes", "miscellaneous",
         "computers", "science", "songs-poems", "riddles", "food")

# The stop list is derived from the training half only; the test half is
# never looked at while deriving it. Five files each, of about the same size
# (10,400 and 12,500 lines), each half with one big file and a mix of
# sayings and prose; all the verse is in the test half.
TRAIN = ("wisdom", "humorists", "miscellaneous", "computers", "riddles")
TEST = ("literature", "platitudes", "science", "songs-poems", "food")

# The dialogue: one file a genre, halved by genre. Each half has a series
# with invented names, a workplace, a family or school, a period piece and
# live talk (news or sports).
DIALOGUE_DIR = os.path.join(os.path.dirname(os.path.abspath(__file__)), "dialogue")
DIALOGUE_TRAIN = ("crime", "hospital", "family-comedy", "school-teen", "science-fiction",
                  "western", "documentary-news", "period-drama")
DIALOGUE_TEST = ("courtroom", "war-history", "romance", "reality-tv", "fantasy", "animation",
                 "sports", "thriller")

# The seasons: six episodes of each series, its cast recurring; halved by
# series.
SEASONS_DIR = os.path.join(os.path.dirname(os.path.abspath(__file__)), "seasons")
SEASONS_TRAIN = ("bake-off", "harbor-precinct", "starwake")
SEASONS_TEST = ("castaway-cove", "the-newsroom-desk", "emberfall")
EPISODES = 6

LINE_WIDTH = 42  # a usual subtitle line
RATE = 0.15

# Bytes that unjam treats as word characters although they are not letters.
# In subtitles they are rare; in fortunes they mark code and ASCII art.
FOREIGN = set("=+@\\|~^")


def read_fortunes(name):
    """The cookies of one fortune file, as raw texts."""
    with open(os.path.join(FORTUNE_DIR, name), "rb") as f:
        data = f.read()
    try:
        text = data.decode("utf-8")
    except UnicodeDecodeError:
        text = data.decode("latin-1")
    text = re.sub(".\b", "", text)  # overstrike: keep the last character
    return re.split(r"^%\n", text, flags=re.M)


def clean(fortune):
    """One cookie as plain single-spaced ASCII text, or None to leave it out."""
    if any(ord(c) > 126 or (ord(c) < 32 and c not in "\n\t") for c in fortune):
        return None
    text = fortune.replace("``", '"').replace("''", '"').replace("`", "'")
    text = text.replace(";", ",").translate(str.maketrans("[{]}", "(())", "*_"))
    text = " ".join(text.split())
    if not text or any(c in FOREIGN for c in text):
        return None
    if re.search("[A-Za-z]{26}", text):
        return None  # words run together on purpose, as a joke
    printing = text.replace(" ", "")
    if sum(c.isalpha() for c in printing) < 0.75 * len(printing):
        return None
    return text


def corpus_lines(files=FILES):
    """(file, line) for every text line of the corpus, in order. Each cookie
    starts on a fresh cue."""
    lines = []
    for name in files:
        for fortune in read_fortunes(name):
            text = clean(fortune)
            if text is None:
                continue
            wrapped = textwrap.wrap(text, LINE_WIDTH, break_long_words=False,
                                    break_on_hyphens=False)
            if any(len(w) > 254 for w in wrapped):
                continue
            for i in range(0, len(wrapped), 2):
                lines.append((name, wrapped[i:i + 2]))
    return lines


def exchange_cues(path, name, encoding="ascii"):
    """(name, lines) for every cue of a dialogue file: an exchange (a
    paragraph of one to four lines) fills one or two cues of at most two
    lines."""
    with open(path, encoding=encoding) as f:
        exchanges = f.read().strip("\n").split("\n\n")
    cues = []
    for exchange in exchanges:
        text = exchange.split("\n")
        cues.extend((name, text[i:i + 2]) for i in range(0, len(text), 2))
    return cues


def dialogue_lines(files=DIALOGUE_TRAIN + DIALOGUE_TEST):
    """(genre, lines) for every cue of the dialogue."""
    return [cue for name in files
            for cue in exchange_cues(os.path.join(DIALOGUE_DIR, name + ".txt"), name)]


def season_lines(files=SEASONS_TRAIN + SEASONS_TEST):
    """(series/epN, lines) for every cue of the seasons, episode by episode."""
    return [cue for series in files for ep in range(1, EPISODES + 1)
            for cue in exchange_cues(os.path.join(SEASONS_DIR, series, "ep%d.txt" % ep),
                                     "%s/ep%d" % (series, ep))]


def series_of(name):
    """The series of a cue's file name: a season's episodes are one series,
    any other file is a series of its own."""
    return name.partition("/")[0]


def cast_list(series):
    """The true list of a series' names and coinages, as a words2 text."""
    with open(os.path.join(SEASONS_DIR, series, "cast.txt"), encoding="ascii") as f:
        return f.read()


class Corpus:
    def __init__(self, name, train, test, read, sdh=True):
        self.name, self.train, self.test, self.read = name, train, test, read
        self.sdh = sdh  # typeset with sound tags, actions, songs and speakers

    def cues(self, files=None):
        return self.read(files or self.train + self.test)


CORPORA = (Corpus("fortunes", TRAIN, TEST, corpus_lines, sdh=False),
           Corpus("dialogue", DIALOGUE_TRAIN, DIALOGUE_TEST, dialogue_lines))

# Not among the corpora that the word list learns from: its series' names
# belong in words2.
SEASONS = Corpus("seasons", SEASONS_TRAIN, SEASONS_TEST, season_lines)


def training_cues():
    """The training halves of both corpora: all that the word list may learn from."""
    return [cue for corpus in CORPORA for cue in corpus.cues(corpus.train)]


def joinable_spaces(line):
    return [i for i in range(1, len(line) - 1)
            if line[i] == " " and line[i - 1].isalpha() and line[i + 1].isalpha()]


def damage(cues, seed, rate=RATE):
    """The cues with a share of the spaces between two letters removed, drawn
    per file so that each half of the corpus is damaged the same way whether
    or not the other half is present."""
    by_file = {}
    for ci, (name, cue) in enumerate(cues):
        for li, line in enumerate(cue):
            for pos in joinable_spaces(line):
                by_file.setdefault(name, []).append((ci, li, pos))
    drop = set()
    for name, spaces in by_file.items():
        rng = random.Random("%d:%s" % (seed, name))
        drop.update(rng.sample(spaces, round(rate * len(spaces))))
    damaged = []
    for ci, (name, cue) in enumerate(cues):
        out = []
        for li, line in enumerate(cue):
            out.append("".join(c for i, c in enumerate(line) if (ci, li, i) not in drop))
        damaged.append((name, out))
    return damaged


def write_srt(cues, path, encoding="ascii"):
    with open(path, "w", encoding=encoding, newline="\n") as f:
        for n, (_, cue) in enumerate(cues, 1):
            start = 2 * n
            f.write("%d\n%s --> %s\n%s\n\n" % (n, timestamp(start), timestamp(start + 1.5),
                                                "\n".join(cue)))


def timestamp(seconds):
    ms = int(seconds * 1000)
    return "%02d:%02d:%02d,%03d" % (ms // 3600000, ms // 60000 % 60, ms // 1000 % 60, ms % 1000)


# Profile lines added to the list's own for every run (the run's
# --longest-first: "choice longest").
EXTRA_PROFILE = ""
# The list without its counts, as lists were before they had any (the run's
# --no-counts).
WITHOUT_COUNTS = False


def link_list(words, work):
    """The word list as `words` in the folder `work`, its profile, accepted
    forms and counts found beside it; with EXTRA_PROFILE, a profile of the
    folder's own: the list's lines and those."""
    if WITHOUT_COUNTS:
        # A link would lead unjam to the counts beside the list it names.
        os.link(os.path.realpath(words), os.path.join(work, "words"))
        for suffix in (".profile", ".accepted"):
            if os.path.exists(os.path.realpath(words) + suffix):
                os.symlink(os.path.realpath(words) + suffix, os.path.join(work, "words" + suffix))
    else:
        os.symlink(os.path.abspath(words), os.path.join(work, "words"))
    if EXTRA_PROFILE:
        own = os.path.realpath(words) + ".profile"
        text = open(own, encoding="utf-8").read() if os.path.exists(own) else ""
        if os.path.lexists(os.path.join(work, "words.profile")):
            os.remove(os.path.join(work, "words.profile"))
        with open(os.path.join(work, "words.profile"), "w", encoding="utf-8") as f:
            f.write(text + "\n" + EXTRA_PROFILE + "\n")


def run_unjam(unjam, words, cues, words2=None, encoding="ascii"):
    """Repairs the cues with unjam and the word list (and words2, a text of
    bytes as latin-1, if given), the subtitle file written in `encoding`;
    returns the repaired cues and unjam's standard output, as bytes."""
    with tempfile.TemporaryDirectory(prefix="unjam-quality-") as work:
        link_list(words, work)
        if words2 is not None:
            with open(os.path.join(work, "words2"), "w", encoding="latin-1") as f:
                f.write(words2)
        write_srt(cues, os.path.join(work, "in.srt"), encoding)
        with open(os.path.join(work, "stdout"), "w+b") as stdout:
            proc = subprocess.run([os.path.abspath(unjam), "in.srt", "out.srt"], cwd=work,
                                  stdout=stdout, stderr=subprocess.PIPE)
            if proc.returncode != 0:
                raise RuntimeError("unjam failed: " + proc.stderr.decode("latin-1"))
            stdout.seek(0)
            log = stdout.read()
        with open(os.path.join(work, "out.srt"), "rb") as f:
            out = f.read().decode(encoding, errors="replace").split("\r\n")
    repaired = []
    pos = 0
    for name, cue in cues:
        repaired.append((name, out[pos + 2:pos + 2 + len(cue)]))
        pos += len(cue) + 3
    return repaired, log


def propose_names(names, words, cues, encoding="ascii"):
    """What unjam-names proposes for words2 from the cues, each file of them
    written as a subtitle file of its own: `unjam-names ep*.srt`. Its bytes,
    as latin-1."""
    with tempfile.TemporaryDirectory(prefix="unjam-names-") as work:
        link_list(words, work)
        paths = []
        for name in dict.fromkeys(name for name, _ in cues):
            paths.append("%02d.srt" % (len(paths) + 1))
            write_srt([cue for cue in cues if cue[0] == name], os.path.join(work, paths[-1]),
                      encoding)
        proc = subprocess.run([os.path.abspath(names)] + paths, cwd=work, capture_output=True)
        if proc.returncode != 0:
            raise RuntimeError("unjam-names failed: " + proc.stderr.decode("latin-1"))
        return proc.stdout.decode("latin-1")


def repair(unjam, words, cues, words2=None, encoding="ascii", listed=None):
    """The cues repaired by unjam, one run a series, and a LogScore of each
    series' messages (with `listed`, a Listed of the word list). With words2,
    a function of a series and its cues that gives the series' words2 text,
    each series is repaired with its own."""
    repaired, logs = [], {}
    for series in dict.fromkeys(series_of(name) for name, _ in cues):
        part = [cue for cue in cues if series_of(cue[0]) == series]
        second = words2(series, part) if words2 else None
        fixed, log = run_unjam(unjam, words, part, second, encoding)
        repaired += fixed
        if listed is not None:
            logs[series] = LogScore(log, sum(len(cue) for _, cue in part),
                                    listed.with_words2(second))
    return repaired, logs


# The messages. A lookup diagnostic ("inDict got symbol") says a word began
# with no letter; a "Couldn't find" report is false when the word it names
# is listed once its punctuation is taken off ("[DOOR", "me…", "♪"): the
# pieces between punctuation, symbols and apostrophes are each listed, one
# character long (copied as they stand) or a spoken form with a dropped g.

NOT_FOUND = re.compile(rb"^\d+: Couldn't find '(.*)' in the dictionary\.$")
APOSTROPHES = str.maketrans({"\u2019": "'", "\u2018": "'", "\u02bc": "'"})


def as_text(line):
    """A message line as text: UTF-8 if it is valid, else Windows-1252."""
    try:
        return line.decode("utf-8")
    except UnicodeDecodeError:
        return line.decode("cp1252", errors="replace")


def fold(word):
    return unicodedata.normalize("NFC", word).casefold()


class Listed:
    """The words of the word lists, case-folded and composed."""

    def __init__(self, words, extra=frozenset()):
        if isinstance(words, str):
            with open(words, "rb") as f:
                words = {fold(as_text(w)) for w in f.read().split()}
        self.words, self.extra = words, extra

    def with_words2(self, text):
        extra = {fold(as_text(w.encode("latin-1"))) for w in text.split()} if text else set()
        return Listed(self.words, frozenset(extra))

    def __contains__(self, word):
        word = fold(word)
        return word in self.words or word in self.extra


def false_not_found(word, listed):
    text = unicodedata.normalize("NFC", word).translate(APOSTROPHES)
    for m in re.finditer(r"[^\W\d_]+", text):
        piece, after = m.group(0), text[m.end():m.end() + 1]
        dropped_g = after == "'" and piece.lower().endswith("in") and piece + "g" in listed
        if len(piece) > 1 and piece not in listed and not dropped_g:
            return False
    return True


class LogScore:
    """What unjam printed for a number of text lines: lookup diagnostics,
    lines that are not valid UTF-8, "Couldn't find" reports and the false
    ones among them."""

    def __init__(self, log=b"", lines=0, listed=None):
        self.lines, self.symbol, self.invalid, self.not_found, self.false = lines, 0, 0, 0, 0
        for line in log.split(b"\n"):
            line = line.rstrip(b"\r")
            self.symbol += line.startswith(b"inDict got symbol '")
            try:
                line.decode("utf-8")
            except UnicodeDecodeError:
                self.invalid += 1
            m = NOT_FOUND.match(line)
            if m:
                self.not_found += 1
                self.false += false_not_found(as_text(m.group(1)), listed)

    def __iadd__(self, other):
        for key in ("lines", "symbol", "invalid", "not_found", "false"):
            setattr(self, key, getattr(self, key) + getattr(other, key))
        return self

    def per_thousand(self, count):
        return 1000 * count / self.lines if self.lines else 0.0


def log_score(logs, files):
    """The LogScore of the series among `files`."""
    total = LogScore()
    for series, score in logs.items():
        if series in files:
            total += score
    return total


# Scoring. A line is compared with its original by the positions of its
# spaces among its other characters: the k-th gap is the place between the
# k-th and the (k+1)-th non-space character. unjam also rewrites text in
# other ways (a doubled i dropped, "OFTHE" lower-cased to "of THE"), so the
# non-space characters of the repaired line are aligned with the original's
# case-insensitively, and a space that lands where no alignment holds counts
# as a wrong one.

def gaps(line):
    """The non-space characters of a line and the gaps that hold a space."""
    chars, spaced = [], set()
    for c in line:
        if c == " ":
            spaced.add(len(chars))
        else:
            chars.append(c)
    return "".join(chars), spaced


def aligned_gaps(original_chars, line):
    """The gaps of the line that hold a space, as gaps of the original, and
    apart those of its own gaps whose space has no place in the original."""
    chars, spaced = gaps(line)
    if chars.lower() == original_chars.lower():
        return spaced, set()
    matcher = difflib.SequenceMatcher(None, chars.lower(), original_chars.lower(), autojunk=False)
    where = {}
    for a, b, size in matcher.get_matching_blocks():
        for k in range(size):
            where[a + k] = b + k
    placed, lost = set(), set()
    for g in spaced:
        left, right = where.get(g - 1), where.get(g)
        if left is not None and right is not None and right == left + 1:
            placed.add(right)
        else:
            lost.add(g)
    return placed, lost


class Score:
    def __init__(self):
        self.lines = self.damaged_lines = self.restored = 0
        self.intact = self.intact_changed = self.other_edits = 0
        self.removed = self.inserted = self.right = 0

    def add(self, original, damaged, repaired):
        chars, original_gaps = gaps(original)
        damaged_gaps = aligned_gaps(chars, damaged)[0]
        placed, lost = aligned_gaps(chars, repaired)
        removed = original_gaps - damaged_gaps
        inserted = placed - damaged_gaps
        self.lines += 1
        self.removed += len(removed)
        self.inserted += len(inserted) + len(lost)
        self.right += len(inserted & removed)
        if gaps(repaired)[0] != chars:
            self.other_edits += 1
        if removed:
            self.damaged_lines += 1
            self.restored += repaired == original
        else:
            self.intact += 1
            self.intact_changed += repaired != original

    def recall(self):
        return self.right / self.removed if self.removed else 1.0

    def precision(self):
        return self.right / self.inserted if self.inserted else 1.0

    def restored_share(self):
        return self.restored / self.damaged_lines if self.damaged_lines else 1.0

    def changed_share(self):
        return self.intact_changed / self.intact if self.intact else 0.0


def score(originals, damaged, repaired, files):
    """A Score over the text lines of the cues from the given files."""
    s = Score()
    for (name, o), (_, d), (_, r) in zip(originals, damaged, repaired):
        if series_of(name) in files:
            for lo, ld, lr in zip(o, d, r):
                s.add(lo, ld, lr)
    return s


def letter_pieces(line):
    """The maximal runs of letters of a line, as (start gap, end gap, text)
    over its non-space characters, cut at spaces."""
    pieces, start, chars = [], None, 0
    text = []
    for c in line + " ":
        if c.isalpha():
            if start is None:
                start, text = chars, []
            text.append(c)
            chars += 1
            continue
        if start is not None:
            pieces.append((start, chars, "".join(text)))
            start = None
        if c != " ":
            chars += 1
    return pieces


def piece_verdicts(original, damaged, repaired):
    """What the repair made of the joined words of a line: the letter pieces
    of the repaired line that a split made or that still hold a removed
    space, each as (text, right). A piece is right when the original has the
    same word in the same place; a wrong one was cut where no space was
    ("fort he"), or is a listed word that hid a join ("ora"). Lines that the
    repair rewrote beyond their spaces give nothing."""
    chars, original_gaps = gaps(original)
    repaired_chars, repaired_gaps = gaps(repaired)
    if repaired_chars.lower() != chars.lower():
        return []
    damaged_gaps = aligned_gaps(chars, damaged)[0]
    inserted = repaired_gaps - damaged_gaps
    removed = original_gaps - damaged_gaps
    if not inserted and not removed:
        return []
    truth = {(a, b) for a, b, _ in letter_pieces(original)}
    return [(text, (a, b) in truth) for a, b, text in letter_pieces(repaired)
            if a in inserted or b in inserted or any(a < g < b for g in removed)]


INTACT_UNKNOWN = "intact changed: cut a word no SCOWL list has"
INTACT_KNOWN = "intact changed: other"
MISSED_APOSTROPHE = "missed: after an apostrophe (don'tknow)"
MISSED_UNLISTED = "missed: a word of the join not listed"
MISSED_LISTED = "missed: both words listed (split elsewhere)"
WRONG_IN_JOIN = "wrong: in a join"
WRONG_IN_WORD = "wrong: in a word that was not joined"


def causes(original, damaged, repaired, listed):
    """Why spaces of a line were missed or put wrongly, as a list of causes;
    listed is the word list as a set of lower-cased words."""
    chars, original_gaps = gaps(original)
    damaged_gaps = aligned_gaps(chars, damaged)[0]
    placed, lost = aligned_gaps(chars, repaired)
    removed = original_gaps - damaged_gaps
    pieces = letter_pieces(original)
    ends = {b: (a, text) for a, b, text in pieces}
    starts = {a: text for a, b, text in pieces}
    found = []
    for g in sorted(removed - placed):
        a, left = ends[g]
        if a > 0 and chars[a - 1] in "'\u2019\u2018\u02bc":
            found.append(MISSED_APOSTROPHE)
        elif left.lower() not in listed or starts[g].lower() not in listed:
            found.append(MISSED_UNLISTED)
        else:
            found.append(MISSED_LISTED)
    for g in sorted(placed - damaged_gaps - removed):
        word = [(a, b) for a, b, _ in pieces if a < g < b]
        joined = any(a <= r <= b for a, b in word for r in removed)
        found.append(WRONG_IN_JOIN if joined else WRONG_IN_WORD)
    return found + [WRONG_IN_JOIN] * len(lost)


def every_scowl_word(directory="/usr/share/dict/scowl"):
    """Every word of every SCOWL list, any size, lower-cased: what a list
    made from SCOWL could hold at most."""
    words = set()
    for name in os.listdir(directory):
        with open(os.path.join(directory, name), encoding="latin-1") as f:
            words.update(w.lower() for w in f.read().split())
    return words


def intact_cause(original, repaired, everywhere):
    """Why an undamaged line came back changed: a space was put into a word
    that no SCOWL list has (no list made from SCOWL can protect it by
    listing it), or anything else."""
    chars, _ = gaps(original)
    placed, _ = aligned_gaps(chars, repaired)
    for a, b, text in letter_pieces(original):
        if text.lower() not in everywhere and any(a < g < b for g in placed):
            return INTACT_UNKNOWN
    return INTACT_KNOWN
