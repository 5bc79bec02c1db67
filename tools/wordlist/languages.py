"""The word lists of languages other than English, made from Debian packages.

Each language takes the one Debian source that served it best in the quality
benchmark (bench/quality/run LANG), as dict/README.md reports:

- es: Hunspell's es_ES dictionary (hunspell-es), expanded with its affix file
  by unmunch (hunspell-tools): 1.04 million forms. Debian's wspanish holds
  86,000 words, mostly without their inflections, so unjam cut the forms it
  lacks into listed pieces.
- fr: wfrench (346,000 words, inflected). unmunch cannot expand fr.aff (its
  elisions and flags give 78,000 plain words and many broken entries).
- de: wngerman. It is made from the same source as hunspell-de-de and holds
  the same plain words; unmunch adds only the forms with a hyphen or a dot.
  But wngerman keeps one spelling per word ignoring case, the small one
  ("feuer", a verb's), where German's case rule (src/wordlist/caseforms.h)
  must know that a word is also listed capitalized ("Feuer", a noun): the
  capitalized forms that Hunspell's de_DE accepts (expanded by unmunch) of
  the words wngerman holds small are added, and German keeps every
  spelling.
- it: witalian. Expanding it_IT.aff gives 35 million forms (every elision
  and clitic chain: "Dall'Inficiami"), too many to load or to trust.
- pt: wbrazilian (Brazilian Portuguese, as the benchmark's fortunes are);
  pt_BR.aff expands to 83 million forms.

A list holds only words of letters and marks (no apostrophes: unjam cuts a
word there; no hyphens, dots or digits), one spelling per word ignoring
case, single letters only where the language has them as words, minus the
stop list and plus the additions of tools/wordlist/LANG/ when they exist.
"""

import os
import subprocess
import unicodedata

HERE = os.path.dirname(os.path.abspath(__file__))
DICT = "/usr/share/dict"
HUNSPELL = "/usr/share/hunspell"

# lang: (kind, source, Debian package, the one-letter words of the language)
LANGUAGES = {
    "es": ("hunspell", "es_ES", "hunspell-es", "a e o u y"),
    "fr": ("list", "french", "wfrench", "a à y"),
    "de": ("list", "ngerman", "wngerman", ""),
    "it": ("list", "italian", "witalian", "a e è i o"),
    "pt": ("list", "brazilian", "wbrazilian", "a à e é o"),
}


# Languages whose case rule needs every case a word is listed in: the
# Hunspell dictionary whose capitalized forms are added where the list holds
# a word only small, and its package.
CASED = {"de": ("de_DE", "hunspell-de-de")}


def package_of(lang):
    return LANGUAGES[lang][2]


def expanded(source, package):
    """Every form of a Hunspell dictionary, as unmunch expands it."""
    paths = [os.path.join(HUNSPELL, source + ext) for ext in (".dic", ".aff")]
    missing = [p for p in paths + ["/usr/bin/unmunch"] if not os.path.exists(p)]
    if missing:
        raise SystemExit("make-wordlist: %s is missing; install %s and hunspell-tools"
                         % (missing[0], package))
    out = subprocess.run(["/usr/bin/unmunch"] + paths, capture_output=True, check=True)
    return out.stdout.decode("utf-8")


def bare_stems(source):
    """The stems of a Hunspell dictionary that are no word without an
    affix or outside a compound (flags NEEDAFFIX, ONLYINCOMPOUND), which
    unmunch prints all the same ("Mit", "Über" of "Mitarbeiter",
    "Überfahrt"), less those that another entry makes a word."""
    flags = {}
    with open(os.path.join(HUNSPELL, source + ".aff"), encoding="utf-8", errors="replace") as f:
        for fields in (line.split() for line in f):
            if len(fields) >= 2 and fields[0] in ("NEEDAFFIX", "ONLYINCOMPOUND"):
                flags[fields[0]] = fields[1]
    bare, whole = set(), set()
    with open(os.path.join(HUNSPELL, source + ".dic"), encoding="utf-8", errors="replace") as f:
        for line in f:
            stem, _, entry_flags = line.strip().partition("/")
            stem = unicodedata.normalize("NFC", stem)
            (bare if any(f in entry_flags for f in flags.values()) else whole).add(stem)
    return bare - whole


def capitalized_forms(lang, words):
    """The capitalized forms of the words listed only small that the
    language's Hunspell dictionary accepts: "Feuer" beside "feuer". Small
    forms of Hunspell are not taken: many are parts of compounds only
    ("tür")."""
    small = {w for w in words if w[:1].islower()}
    listed = set(words)
    source, package = CASED[lang]
    forms = (unicodedata.normalize("NFC", w) for w in expanded(source, package).split())
    bare = bare_stems(source)
    return sorted({w for w in forms if w[:1].isupper() and w.isalpha()
                   and w[:1].lower() + w[1:] in small and w not in listed and w not in bare})


def source_words(lang):
    """The words of the language's Debian source, as the package has them."""
    kind, source, package, _ = LANGUAGES[lang]
    if kind == "hunspell":
        text = expanded(source, package)
    else:
        path = os.path.join(DICT, source)
        if not os.path.exists(path):
            raise SystemExit("make-wordlist: %s is missing; install %s" % (path, package))
        with open(path, encoding="utf-8") as f:
            text = f.read()
    return [unicodedata.normalize("NFC", w) for w in text.split() if w != "\ufeff"]


def in_order(words):
    """Sorted without regard to case, so that each initial's words stand
    together as unjam needs."""
    return sorted(words, key=lambda w: (w.lower(), w))


def one_per_folding(words, lang=None):
    """One spelling per word ignoring case, the small-letter one where there
    is a choice; every spelling for a language with a case rule."""
    if lang in CASED:
        return in_order(set(words))
    chosen = {}
    for word in sorted(set(words), key=lambda w: (w.lower(), w.swapcase())):
        chosen.setdefault(word.lower(), word)
    return in_order(chosen.values())


def read_derived(path):
    if not os.path.exists(path):
        return []
    with open(path, encoding="utf-8") as f:
        return [line.split("#")[0].split()[0] for line in f if line.split("#")[0].strip()]


def curated(lang, stoplist=True, additions=True):
    letters = set(LANGUAGES[lang][3].split())
    stop = {w.lower() for w in read_derived(os.path.join(HERE, lang, "stoplist"))} \
        if stoplist else set()
    added = read_derived(os.path.join(HERE, lang, "additions")) if additions else []
    kept = [w for w in source_words(lang)
            if all(unicodedata.category(c)[0] in "LM" for c in w)
            and (len(w) > 1 or w.lower() in letters)]
    if lang in CASED:
        kept += capitalized_forms(lang, kept)
    return [w for w in one_per_folding(kept + added, lang) if w.lower() not in stop]


def plain(lang):
    """The Debian source as it is, only sorted: what the benchmark compares with."""
    return in_order(set(source_words(lang)))


def licence(lang):
    """The text of the source package's copyright file."""
    with open("/usr/share/doc/%s/copyright" % package_of(lang), encoding="utf-8") as f:
        return f.read()
