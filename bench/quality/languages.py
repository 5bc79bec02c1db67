"""Sentence corpora in Spanish, French, German, Italian and Portuguese, from
Debian packages: fortune cookies where Debian has them in the language
(fortunes-es, fortunes-de, fortunes-br), the translated Debian manuals for
French and Italian (debian-reference-fr/-it, maint-guide-fr/-it,
debian-faq-fr), whose fortunes lack accents or are not packaged. Each text
becomes subtitle cues as the English fortunes do, in UTF-8. Halved by file;
the Brazilian fortunes are one file, so their cookies are dealt into ten
parts, five for each half.
"""

import glob
import html
import os
import re
import textwrap

import qualitylib as q

FORTUNES = "/usr/share/games/fortunes"
ROOT = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", ".."))
REFERENCE = "/usr/share/debian-reference"
DOCS = "/usr/share/doc"

# Characters of code, paths and markup: a cookie or a paragraph holding one
# is left out, as the English corpus leaves out its code and ASCII art.
FOREIGN = set("=+@\\|~^/_$<>{}[]#*`")

# Paragraphs of the translated manuals that stayed English are left out: a
# text is taken when more of its words are in the language's plain Debian
# list than in the English one.
PLAIN_LISTS = {"es": "spanish", "fr": "french", "de": "ngerman", "it": "italian",
               "pt": "brazilian"}


def _fortune_files(folder, names, suffix=""):
    return {name: os.path.join(FORTUNES, folder, name + suffix) for name in names}



# name: (training files, test files, {file: path}, kind)
SOURCES = {
    "es": (("sabiduria", "humanos", "poder", "leydemurphy", "arte", "proverbios", "pintadas"),
           ("sentimientos", "vida", "varios", "libertad", "ciencia", "familia", "amistad"),
           _fortune_files("es", ("sabiduria", "humanos", "poder", "leydemurphy", "arte",
                                 "proverbios", "pintadas", "sentimientos", "vida", "varios",
                                 "libertad", "ciencia", "familia", "amistad"), ".fortunes"),
           "fortunes"),
    "de": (("witze", "stilblueten", "letzteworte", "regeln", "anekdoten", "woerterbuch"),
           ("unfug", "sprueche", "kinderzitate", "murphy", "wusstensie", "warmduscher"),
           _fortune_files("de", ("witze", "stilblueten", "letzteworte", "regeln", "anekdoten",
                                 "woerterbuch", "unfug", "sprueche", "kinderzitate", "murphy",
                                 "wusstensie", "warmduscher"), ".u8"),
           "fortunes"),
    "pt": (tuple("brasil-%d" % k for k in range(0, 10, 2)),
           tuple("brasil-%d" % k for k in range(1, 10, 2)),
           {"brasil": os.path.join(FORTUNES, "brasil")}, "dealt"),
    "fr": (("ch02", "ch04", "ch06", "ch08", "ch10", "ch12", "faq", "guide-start"),
           ("ch01", "ch03", "ch05", "ch07", "ch09", "ch11", "pr01", "guide-rest"),
           None, "manuals"),
    "it": (("ch02", "ch04", "ch06", "ch08", "ch10", "ch12", "guide-start"),
           ("ch01", "ch03", "ch05", "ch07", "ch09", "ch11", "pr01", "guide-rest"),
           None, "manuals"),
}
DEALT_PARTS = 10


def _manual_paths(lang):
    """{file: [paths]}: the manual's chapters, the FAQ, and the maintainers'
    guide in two parts (its first pages and the rest)."""
    paths = {c: [os.path.join(REFERENCE, "%s.%s.html" % (c, lang))]
             for c in ["ch%02d" % k for k in range(1, 13)] + ["pr01"]}
    guide = sorted(glob.glob(os.path.join(DOCS, "maint-guide-%s" % lang, "html", "*.html")))
    guide = [p for p in guide if not os.path.basename(p).startswith("index")]
    half = len(guide) // 2
    paths["guide-start"], paths["guide-rest"] = guide[:half], guide[half:]
    if lang == "fr":
        paths["faq"] = sorted(glob.glob(os.path.join(DOCS, "debian", "FAQ", "fr", "*.fr.html")))
    return paths


def _paragraphs(path):
    """The text of each <p> of a manual page, without its markup; a paragraph
    that shows code (<code>, <literal>, a command) is left out whole."""
    with open(path, encoding="utf-8") as f:
        page = f.read()
    texts = []
    for m in re.finditer(r"<p>(.*?)</p>", page, flags=re.S):
        body = m.group(1)
        if re.search(r'<(code|pre|tt|kbd)|class="(literal|command|filename|option|'
                     r'replaceable|userinput|systemitem)"', body):
            continue
        texts.append(html.unescape(re.sub(r"<[^>]*>", "", body)))
    return texts


def _cookies(path):
    with open(path, "rb") as f:
        text = f.read().decode("utf-8")
    return re.split(r"^%\n", re.sub(".\b", "", text), flags=re.M)


def _sentences(text):
    return re.split(r"(?<=[.!?…:])\s+", " ".join(text.split()))


def _holds_english_phrase(text, english_words):
    """Two words in a row that only English has: the manuals quote English
    names and messages (« Secure Sockets Layer ») inside their sentences."""
    # One letter tells nothing: the plain lists lack Italian "a" and "i".
    english = [len(w) > 1 and w.lower() in english_words
               for w in re.findall(r"[^\W\d_]+", text)]
    return any(a and b for a, b in zip(english, english[1:]))


def _clean(text, language_words, english_words):
    """A text as single-spaced lines of real sentences, or None."""
    if any(ord(c) < 32 and c not in "\n\t" for c in text):
        return None
    text = re.sub(r"^\s*--.*$", "", text, flags=re.M)  # the cookie's author
    text = " ".join(text.split())
    if not text or any(c in FOREIGN for c in text) or re.search(r"\w{26}", text):
        return None
    printing = text.replace(" ", "")
    if sum(c.isalpha() for c in printing) < 0.8 * len(printing):
        return None
    words = [w.lower() for w in re.findall(r"[^\W\d_]+", text)]
    ours = sum(w in language_words for w in words)
    if ours < max(2, sum(w in english_words for w in words)):
        return None
    return text


def _words_of(path, encoding="utf-8"):
    with open(path, encoding=encoding) as f:
        return {w.lower() for w in f.read().split()}


def _cues_of(name, text):
    wrapped = textwrap.wrap(text, q.LINE_WIDTH, break_long_words=False, break_on_hyphens=False)
    return [(name, wrapped[i:i + 2]) for i in range(0, len(wrapped), 2)]


def language_texts(lang):
    """(file, text) for every kept text of the language's corpus, in order."""
    train, test, paths, kind = SOURCES[lang]
    if kind == "manuals":
        # Sentence by sentence: a paragraph of the language may still quote
        # English, which no list of the language should be measured on.
        raw = [(name, s) for name, ps in _manual_paths(lang).items()
               for p in ps for t in _paragraphs(p) for s in _sentences(t)]
    elif kind == "dealt":
        cookies = _cookies(paths["brasil"])
        raw = [("brasil-%d" % (k % DEALT_PARTS), c) for k, c in enumerate(cookies)]
    else:
        raw = [(name, c) for name, p in paths.items() for c in _cookies(p)]
    mine = _words_of(os.path.join("/usr/share/dict", PLAIN_LISTS[lang]))
    english = _words_of(os.path.join(ROOT, "dict", "words"), "latin-1") - mine
    kept = []
    for name, text in raw:
        if name in train + test:
            cleaned = _clean(text, mine, english)
            if kind == "manuals" and cleaned and _holds_english_phrase(cleaned, english):
                cleaned = None
            if cleaned is not None:
                kept.append((name, cleaned))
    return kept


def language_corpus(lang):
    train, test, _, _ = SOURCES[lang]

    def read(files):
        texts = language_texts(lang)
        # File by file, as unjam repairs them: the dealt parts interleave.
        return [cue for wanted in files for name, text in texts if name == wanted
                for cue in _cues_of(name, text)]
    corpus = q.Corpus(lang, train, test, read, sdh=False)
    corpus.encoding = "utf-8"
    return corpus


# Dialogue written for this benchmark in each language, as the English
# dialogue is (bench/quality/dialogue/LANG/), halved by genre.
DIALOGUE_TRAIN = ("crime", "hospital", "family-comedy", "science-fiction")
DIALOGUE_TEST = ("courtroom", "romance", "fantasy", "sports")


def dialogue_cues(lang, files=DIALOGUE_TRAIN + DIALOGUE_TEST):
    """(genre, lines) for every cue of the language's dialogue."""
    folder = os.path.join(q.DIALOGUE_DIR, lang)
    return [cue for name in files
            for cue in q.exchange_cues(os.path.join(folder, name + ".txt"), name, "utf-8")]


def dialogue_corpus(lang):
    corpus = q.Corpus(lang + "-dialogue", DIALOGUE_TRAIN, DIALOGUE_TEST,
                      lambda files: dialogue_cues(lang, files))
    corpus.encoding = "utf-8"
    return corpus


LANGUAGES = tuple(SOURCES)
