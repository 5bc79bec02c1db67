"""How often each word is said in each language's counting sources: the
fortunes, manuals and Wesnoth campaigns of Debian and the benchmark's own
dialogue, training halves only. tools/make-counts writes the counts of a
list's words from them (and says what each source is); tools/derive-wordlist
weighs the readings of joins with them while it derives a list."""


import collections
import importlib.util
import gettext
import os
import re
import subprocess
import sys
import unicodedata

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.normpath(os.path.join(HERE, "..", ".."))
BENCH = os.path.join(ROOT, "bench", "quality")


def _bench_module(name):
    """A module of bench/quality, whose languages.py shares a name with this
    folder's."""
    found = importlib.util.spec_from_file_location("bench_" + name,
                                                   os.path.join(BENCH, name + ".py"))
    module = importlib.util.module_from_spec(found)
    sys.modules["bench_" + name] = module
    found.loader.exec_module(module)
    return module


if BENCH not in sys.path:
    sys.path.insert(0, BENCH)
q = _bench_module("qualitylib")
languages = _bench_module("languages")

FORTUNES = "/usr/share/games/fortunes"
WESNOTH = "usr/share/games/wesnoth/1.16/locale"
WESNOTH_LOCALES = {"es": "es", "fr": "fr", "de": "de", "it": "it", "pt": "pt_BR"}
# Markup and placeholders of the game's strings: <span ...>, {MACRO}, $name.
WESNOTH_MARKUP = re.compile(r"<[^>]*>|\{[^}]*\}|\$[\w.|]+|&[^;]+;")
WORD = re.compile(r"[^\W\d_]+")


def key(word):
    return unicodedata.normalize("NFC", word).casefold()


def list_keys(path):
    """The keys of the list's words: only these are counted."""
    with open(path, "rb") as f:
        data = f.read()
    keys = set()
    for raw in data.split():
        try:
            word = raw.decode("utf-8")
        except UnicodeDecodeError:
            word = raw.decode("cp1252", errors="replace")
        keys.add(key(word))
    return keys


def english_texts():
    """(source, text) of the English sources."""
    skip = set(q.TEST)
    listed = subprocess.run(["dpkg", "-L", "fortunes"], capture_output=True, text=True,
                            check=True).stdout.split()
    names = sorted(os.path.basename(p) for p in listed
                   if os.path.dirname(p) == FORTUNES and "." not in os.path.basename(p)
                   and os.path.basename(p) not in skip)
    for name in names:
        for cookie in q.read_fortunes(name):
            yield "fortunes", cookie
    for _, lines in q.dialogue_lines(q.DIALOGUE_TRAIN):
        yield "dialogue", " ".join(lines)
    for _, lines in q.season_lines(q.SEASONS_TRAIN):
        yield "seasons", " ".join(lines)


# The Debian FAQ's terms ask that a derived work carry its own notice, so the
# French counts leave it out.
NOT_COUNTED = {"faq"}


def wesnoth_texts(lang, root):
    """The translated strings of every campaign catalog of the language."""
    folder = os.path.join(root, WESNOTH, WESNOTH_LOCALES[lang], "LC_MESSAGES")
    if not os.path.isdir(folder):
        sys.exit("make-counts: %s is missing; see --root" % folder)
    for name in sorted(os.listdir(folder)):
        if not name.endswith(".mo"):
            continue
        with open(os.path.join(folder, name), "rb") as f:
            catalog = gettext.GNUTranslations(f)._catalog
        for key, text in sorted(catalog.items(), key=lambda item: str(item[0])):
            if key and isinstance(text, str):
                yield "wesnoth", WESNOTH_MARKUP.sub(" ", text)


def language_texts(lang, root):
    train = [name for name in languages.SOURCES[lang][0] if name not in NOT_COUNTED]
    source = languages.SOURCES[lang][3]
    for name, text in languages.language_texts(lang):
        if name in train:
            yield source, text
    yield from wesnoth_texts(lang, root)
    for _, lines in languages.dialogue_cues(lang, languages.DIALOGUE_TRAIN):
        yield "dialogue", " ".join(lines)


def texts_of(lang, root="/"):
    return english_texts() if lang == "en" else language_texts(lang, root)


def count(texts, keys=None):
    """{key: count} of the words of the texts (only those of `keys`, when
    given), and {source: words read}."""
    counts = collections.Counter()
    sizes = collections.Counter()
    for source, text in texts:
        text = text.replace("\u2019", "'")
        for word in WORD.findall(unicodedata.normalize("NFC", text)):
            sizes[source] += 1
            k = key(word)
            if keys is None or k in keys:
                counts[k] += 1
    return counts, sizes


