"""The stop list and the additions of another language's list, derived from
unjam's errors on the training half of the language's benchmark corpus.

As for English (tools/derive-wordlist), a listed word that stood as a wrong
piece of a repair may be taken out, and a word of the training text that a
repair cut or left joined may be put in; a change is made when it removes
at least MIN_GAIN weighted errors in at least MIN_FILES files, a wrong space
weighing WRONG_WEIGHT missing ones and each use of a word taken out
FALSE_ALARM_WEIGHT (it is reported as not found). A word taken out is
reported in each damaged copy of the text, as often as the training text
uses it or as often as the counts say people say it, whichever is more: the
training text is a few manuals and fortunes and a little dialogue, where
"cet", "Platz" or "ir" stand far less often than in a film. A word put in
is weighed by its uses in the training text alone, once: the counts hold
that text too, and would make each of its rare words and typos worth
listing. Here unjam itself repairs
the lines: each change moves only the lines that hold its word's letters,
so changes whose lines are apart are tried together, in one run of unjam.
The changes that gain enough are made at once, and the next round repairs
everything again, until no change gains enough.

The training text is the training half of the language's benchmark corpus
and of its dialogue, and unjam weighs the readings of a join with the
language's counts (tools/make-counts), as the list ships with them: a word
that only cut joins the wrong way when the longest first piece won may stay
now that the likelier reading wins.

A language that keeps every spelling of a word (German "Spiel", a noun,
beside "spiel", a verb's imperative; tools/wordlist/languages.py, CASED)
takes spellings out: a piece written small that stood wrong fits only the
small spelling, so that one alone is tried first, and the stop list names
the spellings it leaves out. The noun stays for the text that says it.

The list derived from is the language's list without stop list and
additions; the Hunspell forms that unjam would cut are accepted forms there
(kept whole, no pieces), where make-wordlist then lists them: the stop list
and the additions are derived before the forms are listed.
"""

import collections
import importlib.util
import os
import re
import tempfile

import counting
import languages

HERE = os.path.dirname(os.path.abspath(__file__))
BENCH = os.path.join(HERE, "..", "..", "bench", "quality")


def _bench_module(name):
    """A module of bench/quality, whose languages.py shares this folder's
    module's name."""
    found = importlib.util.spec_from_file_location("bench_" + name,
                                                   os.path.join(BENCH, name + ".py"))
    module = importlib.util.module_from_spec(found)
    found.loader.exec_module(module)
    return module


q = _bench_module("qualitylib")
bench_languages = _bench_module("languages")

NUMBERED_NOT_FOUND = re.compile(rb"^(\d+): Couldn't find '(.*)' in the dictionary\.$")

SEEDS = (101, 102)
MIN_GAIN = 2
MIN_FILES = 2
WRONG_WEIGHT = 2
FALSE_ALARM_WEIGHT = 0.5
ROUNDS = 6


def errors(original, damaged, repaired):
    chars, original_gaps = q.gaps(original)
    damaged_gaps = q.aligned_gaps(chars, damaged)[0]
    placed, lost = q.aligned_gaps(chars, repaired)
    removed = original_gaps - damaged_gaps
    wrong = {(g, "+") for g in placed - damaged_gaps - removed}
    wrong |= {(-1 - g, "+") for g in lost}
    return wrong | {(g, "-") for g in removed - placed}


def weight(errs):
    return sum(WRONG_WEIGHT if kind == "+" else 1 for _, kind in errs)


class Training:
    def __init__(self, lang, unjam, folder, accepted, counts):
        corpus = bench_languages.language_corpus(lang)
        cues = corpus.cues(corpus.train) + bench_languages.dialogue_cues(
            lang, bench_languages.DIALOGUE_TRAIN)
        self.counts = counts
        self.unjam, self.folder = unjam, folder
        self.accepted = {w.lower() for w in accepted}
        self.lines, self.files = [], []
        for seed in SEEDS:
            for (name, o), (_, d) in zip(cues, q.damage(cues, seed)):
                for lo, ld in zip(o, d):
                    self.lines.append((lo, ld))
                    self.files.append(name)
        self.lowered = [d.lower() for _, d in self.lines]
        self.uses = collections.defaultdict(collections.Counter)
        self.written = collections.defaultdict(collections.Counter)  # by spelling
        self.size = collections.Counter()  # words a file
        for name, cue in cues:
            for line in cue:
                self.size[name] += len(re.findall(r"[^\W\d_]+", line))
                for word in re.findall(r"[^\W\d_]{2,}", line):
                    self.uses[word.lower()][name] += 1
                    self.written[word][name] += 1
        self.said = sum(counts.values())

    def alarms(self, word, kind):
        """{file: how often `word`, taken out or left out, is reported as
        not found}. A spelling taken out alone ("small") is reported where
        the text writes it so, and said as often as the counts say the word
        is said, in the share of its uses that the text writes so."""
        if kind == "in":
            return self.uses[word]
        uses = self.uses[word.lower()]
        share = self.counts.get(counting.key(word), 0) / self.said
        if kind == "small":
            total = sum(uses.values())
            uses = self.written[word]
            share *= sum(uses.values()) / total if total else 1
        return {name: len(SEEDS) * max(uses[name], share * size)
                for name, size in self.size.items()}

    def repair(self, words, ks, leaving=()):
        """The repairs of the lines ks with the list `words`, and the
        accepted forms but those `leaving`."""
        return self.run(words, [self.lines[k][1] for k in ks], ks, leaving)[0]

    def reported(self, words):
        """{word: {file: how often}} of the "Couldn't find" reports that the
        original text, undamaged, gets with the list `words`."""
        originals = self.lines[:len(self.lines) // len(SEEDS)]
        _, log = self.run(words, [o for o, _ in originals], range(len(originals)))
        found = collections.defaultdict(collections.Counter)
        for line in log.split(b"\n"):
            m = NUMBERED_NOT_FOUND.match(line.rstrip(b"\r"))
            if m:
                # A cue of one line: its text is the third of four lines.
                name = self.files[(int(m.group(1)) - 3) // 4]
                found[m.group(2).decode("utf-8").lower()][name] += 1
        return found

    def run(self, words, texts, ks, leaving=()):
        """unjam's repairs of the texts, by ks, and its log."""
        with tempfile.TemporaryDirectory(prefix="derive-") as work:
            path = os.path.join(work, "words")
            with open(path, "w", encoding="utf-8", newline="\n") as f:
                f.write("".join(w + "\n" for w in bench_in_order(words)))
            os.symlink(os.path.join(self.folder, "words.profile"),
                       os.path.join(work, "words.profile"))
            with open(path + ".accepted", "w", encoding="utf-8", newline="\n") as f:
                f.write("".join(w + "\n" for w in sorted(self.accepted - set(leaving))))
            keys = {counting.key(w) for w in words}
            with open(path + ".counts", "w", encoding="utf-8", newline="\n") as f:
                f.write("".join("%s %d\n" % (k, self.counts[k]) for k in sorted(keys)
                                if self.counts.get(k)))
            cues = [(None, [text]) for text in texts]
            repaired, log = q.run_unjam(self.unjam, path, cues, None, "utf-8")
        return {k: cue[0] for k, (_, cue) in zip(ks, repaired)}, log

    def affected(self, word):
        return [k for k, low in enumerate(self.lowered) if word in low]


def bench_in_order(words):
    return sorted(words, key=lambda w: (w.lower(), w))


def candidates(training, listed, repaired, errs, cased):
    """Listed words that stood as wrong pieces (in a cased language, the
    small spelling alone of a word listed in more than one, where the piece
    is written small), and accepted forms that
    stood whole where the text has a join ("aforça", "a força"); unlisted
    words of the original text beside an error, or reported as not found in
    the text undamaged so often, in files enough, that the reports alone
    weigh MIN_GAIN (German "nee", "seh": speech that no dictionary lists)."""
    out = set()
    put_in = {w for w, by_file in training.reported(spellings_of(listed)).items()
              if w not in listed and FALSE_ALARM_WEIGHT * sum(by_file.values()) >= MIN_GAIN
              and len(by_file) >= MIN_FILES and re.fullmatch(r"[^\W\d_]{2,}", w)}
    for (original, damaged), text, e in zip(training.lines, repaired, errs):
        if not e:
            continue
        for piece, right in q.piece_verdicts(original, damaged, text):
            low = piece.lower()
            if right or (low not in listed and low not in training.accepted):
                continue
            alone = cased and piece == low and low in listed.get(low, ()) and len(listed[low]) > 1
            out.add(("small" if alone else "out", low))
        bad = {g for g, _ in e}
        for a, b, word in q.letter_pieces(original):
            low = word.lower()
            if len(low) > 1 and low not in listed and any(a <= g <= b for g in bad):
                put_in.add(low)
    return out, put_in


def spellings_of(words):
    """The spellings of {key: {spelling}}."""
    return [w for spellings in words.values() for w in spellings]


def take_out(words, kind, w):
    """Takes the word (all its spellings) or, for "small", its small
    spelling alone out of {key: {spelling}}."""
    if kind == "out":
        words.pop(w, None)
        return
    words[w] = words[w] - {w}
    if not words[w]:
        del words[w]


def batches(training, changes):
    """The changes in groups whose lines are apart, each change with its
    lines."""
    groups = []  # (taken lines, [(change, lines)])
    for change in sorted(changes):
        ks = training.affected(change[1])
        for taken, members in groups:
            if taken.isdisjoint(ks):
                taken.update(ks)
                members.append((change, ks))
                break
        else:
            groups.append((set(ks), [(change, ks)]))
    return [members for _, members in groups]


def function_words(folder):
    """The function words of the profile in `folder`, small."""
    return {w.lower() for w in languages.profile_values(os.path.join(folder, "words.profile"),
                                                        "function-words")}


def derive(lang, base, accepted, unjam, folder, counts, log):
    """{word: gain} taken out and put in, from the list `base` with the
    accepted forms and the counts of every word said."""
    training = Training(lang, unjam, folder, accepted, counts)
    # The language's one-letter words stay: every sentence uses them, and
    # a standing one is never reported, so the uses that keep other words
    # listed do not count for them; without "a" no join with it is
    # repaired ("Averdade", "quea"). So do the function words of its
    # profile, which dialogue uses far more often than the corpora (the
    # manuals seldom say "mi", "ti", "me").
    kept = set(languages.LANGUAGES[lang][3].split()) | function_words(folder)
    cased = lang in languages.CASED
    words = collections.defaultdict(set)  # key: its listed spellings
    for w in base:
        words[w.lower()].add(w)
    words = dict(words)
    # A word put in is spelled small; in a cased language, as the text most
    # often writes it when it never writes it small ("Klettergerüst", but
    # "nee", which a sentence may begin with).
    written = collections.defaultdict(collections.Counter)
    for original, _ in training.lines:
        for w in re.findall(r"[^\W\d_]+", original):
            written[w.lower()][w if cased else w.lower()] += 1
    spelling = {k: k if k in c else c.most_common(1)[0][0] for k, c in written.items()}
    stop, added = {}, {}
    tried = set()
    everything = list(range(len(training.lines)))
    for number in range(1, ROUNDS + 1):
        repaired = training.repair(spellings_of(words), everything)
        repaired = [repaired[k] for k in everything]
        errs = [errors(o, d, r) for (o, d), r in zip(training.lines, repaired)]
        out, put_in = candidates(training, words, repaired, errs, cased)
        changes = {c for c in out if c[1] not in kept} | {("in", w) for w in put_in}
        changes -= tried
        tried |= changes
        log("round %d: %d weighted errors, %d changes to try" % (
            number, sum(weight(e) for e in errs), len(changes)))
        made = 0
        for members in batches(training, changes):
            trial = dict(words)
            for (kind, w), _ in members:
                if kind == "in":
                    trial[w] = {spelling.get(w, w)}
                else:
                    take_out(trial, kind, w)
            ks = sorted(k for _, lines in members for k in lines)
            new = training.repair(spellings_of(trial), ks,
                                  [w for (kind, w), _ in members if kind == "out"])
            for (kind, w), lines in members:
                by_file = collections.Counter()
                for k in lines:
                    o, d = training.lines[k]
                    before, after = errs[k], errors(o, d, new[k])
                    by_file[training.files[k]] += weight(before - after) - weight(after - before)
                sign = 1 if kind == "in" else -1
                for name, count in training.alarms(w, kind).items():
                    by_file[name] += sign * FALSE_ALARM_WEIGHT * count
                gain = sum(by_file.values())
                if gain >= MIN_GAIN and sum(1 for n in by_file.values() if n > 0) >= MIN_FILES:
                    made += 1
                    if kind != "in":
                        # The stop list names the spellings a cased
                        # language leaves out, the words of any other.
                        gone = words.get(w, set()) if kind == "out" else {w}
                        take_out(words, kind, w)
                        training.accepted.discard(w)
                        for entry in (gone if cased else {w}):
                            if added.pop(entry, None) is None:
                                stop[entry] = gain
                    else:
                        words[w] = {spelling.get(w, w)}
                        entry = words[w] if cased else {w}
                        for e in entry:
                            if stop.pop(e, None) is None:
                                added[e] = gain
                    log("  %-3s %-16s %5.1f errors fewer" % (kind + ":", w, gain))
        if not made:
            break
    return stop, added


def list_text(what, lang, entries):
    header = ("# Words that tools/make-wordlist %s dict/%s/words. Each removed that\n"
              "# many weighted errors of unjam on the training half of the benchmark's\n"
              "# %s corpus (seeds %s).\n"
              "# Generated by tools/derive-wordlist %s; do not edit by hand.\n"
              "# word            gain\n" % (what, lang, lang, ", ".join(map(str, SEEDS)), lang))
    return header + "".join("%-16s %6.1f\n" % (w, entries[w]) for w in bench_in_order(entries))


def run(lang, unjam, folder, into, root, log):
    """Derives from the list without stop list and additions, and with the
    forms unjam would cut as accepted forms; `folder` holds the profile;
    `root`, the unpacked packages of the counts' sources."""
    base = languages.curated(lang, False, False)
    forms = languages.cut_forms(lang, base, unjam)
    counts, _ = counting.count(counting.texts_of(lang, root))
    stop, added = derive(lang, base, forms, unjam, folder, counts, log)
    os.makedirs(into, exist_ok=True)
    for name, what, entries in (("stoplist", "leaves out of", stop),
                                ("additions", "adds to", added)):
        with open(os.path.join(into, name), "w", encoding="utf-8", newline="\n") as f:
            f.write(list_text(what, lang, entries))
