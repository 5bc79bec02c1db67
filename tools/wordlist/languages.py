"""The word lists of languages other than English, made from Debian packages.

Each language takes the one Debian source that served it best in the quality
benchmark (bench/quality/run LANG), as dict/README.md reports:

- es: Hunspell's es_ES dictionary (hunspell-es), expanded with its affix
  file by affixes.py: 711,000 forms, and the diminutives and superlatives
  that speech makes of its nouns and adjectives (diminutives.py).
  Debian's wspanish holds 86,000 words,
  mostly without their inflections, so unjam cut the forms it lacks into
  listed pieces. unmunch (hunspell-tools) reads es_ES's flags, which are
  letters beyond ASCII, byte by byte and so gives 1.03 million forms, a
  third of them wrong ("hombrees").
- fr: wfrench (346,000 words, inflected).
- de: wngerman. It is made from the same source as hunspell-de-de and holds
  the same plain words; unmunch adds only the forms with a hyphen or a dot.
  But wngerman keeps one spelling per word ignoring case, the small one
  ("feuer", a verb's), where German's case rule (src/wordlist/caseforms.h)
  must know that a word is also listed capitalized ("Feuer", a noun): the
  capitalized forms that Hunspell's de_DE accepts (expanded by unmunch) of
  the words wngerman holds small are added, and German keeps every
  spelling.
- it: witalian. Hunspell's it_IT gives 3.1 million forms without an
  apostrophe, most of them chains of clitics ("portandoglielo"): as pieces
  of a join they would be traps.
- pt: wbrazilian (Brazilian Portuguese, as the benchmark's fortunes are);
  pt_BR expands to 2.7 million forms, as many chains of clitics.

A list holds only words of letters and marks (no apostrophes: unjam cuts a
word there; no hyphens, dots or digits), one spelling per word ignoring
case, the one-letter words of the language and no other single letters,
minus the stop list and plus the additions of tools/wordlist/LANG/ when they
exist.

Each is completed with the forms that the language's Hunspell dictionary
accepts and that unjam would cut into listed pieces without them, less the
stop list's words: a form that unjam leaves whole anyway needs no place.
Listing the forms measured better than accepting them (words.accepted:
whole, never a piece): precision 97.9 % against 97.7 % in French, 97.5 %
against 96.4 % in Italian, training halves; a listed form also serves as a
piece where a join holds it.
"""

import os
import subprocess
import tempfile
import unicodedata

import affixes
import diminutives

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

# The Hunspell dictionary whose forms complete a language's list, and its
# package.
FORMS = {
    "es": ("es_ES", "hunspell-es"),
    "fr": ("fr", "hunspell-fr"),
    "it": ("it_IT", "hunspell-it"),
    "pt": ("pt_BR", "hunspell-pt-br"),
}


# Languages whose case rule needs every case a word is listed in: the
# Hunspell dictionary whose capitalized forms are added where the list holds
# a word only small, and its package.
CASED = {"de": ("de_DE", "hunspell-de-de")}

# Languages that make words no dictionary lists as they speak, and how
# (diminutives.py).
DERIVED = {"es": diminutives.spanish_derived}


def profile_values(path, name):
    """The values of a setting of a list's profile, as unjam reads them: a
    setting of words may take several lines, whose words add up; `#` starts
    a comment. Empty when the file or the setting is not there."""
    values = []
    if os.path.exists(path):
        with open(path, encoding="utf-8") as f:
            for line in f:
                fields = line.split("#")[0].split()
                if fields[:1] == [name]:
                    values += fields[1:]
    return values


def package_of(lang):
    return LANGUAGES[lang][2]


def packages_of(lang):
    """The packages whose words the list and the accepted forms hold."""
    packages = [LANGUAGES[lang][2]]
    if lang in FORMS and FORMS[lang][1] not in packages:
        packages.append(FORMS[lang][1])
    return packages


def hunspell_forms(name, package):
    """Every form the Hunspell dictionary accepts, without apostrophes. The
    expansion takes minutes for Portuguese, so it is kept in build/ for the
    next run, under the files' sizes and times."""
    paths = [os.path.join(HUNSPELL, name + ext) for ext in (".aff", ".dic")]
    missing = [p for p in paths if not os.path.exists(p)]
    if missing:
        raise SystemExit("make-wordlist: %s is missing; install %s" % (missing[0], package))
    stamp = "-".join("%d-%d" % (os.stat(p).st_size, os.stat(p).st_mtime) for p in paths)
    kept = os.path.join(HERE, "..", "..", "build", "hunspell-forms", "%s-%s" % (name, stamp))
    if os.path.exists(kept):
        with open(kept, encoding="utf-8") as f:
            return f.read().split("\n")[:-1]
    forms = list(affixes.Dictionary(*paths).words())
    os.makedirs(os.path.dirname(kept), exist_ok=True)
    with open(kept + ".partial", "w", encoding="utf-8", newline="\n") as f:
        f.write("".join(w + "\n" for w in forms))
    os.replace(kept + ".partial", kept)
    return forms


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
    "Überfahrt"), less those that another entry makes a word, as it stands
    or with an affix ("Pausen", a compound's first part and the plural of
    "Pause")."""
    flags = {}
    with open(os.path.join(HUNSPELL, source + ".aff"), encoding="utf-8", errors="replace") as f:
        for fields in (line.split() for line in f):
            if len(fields) >= 2 and fields[0] in ("NEEDAFFIX", "ONLYINCOMPOUND"):
                flags[fields[0]] = fields[1]
    bare, whole, whole_entries = set(), set(), []
    with open(os.path.join(HUNSPELL, source + ".dic"), encoding="utf-8", errors="replace") as f:
        next(f, None)  # the count of entries
        for line in f:
            stem, _, entry_flags = line.strip().partition("/")
            stem = unicodedata.normalize("NFC", stem)
            if any(f in entry_flags for f in flags.values()):
                bare.add(stem)
            else:
                whole.add(stem)
                whole_entries.append(line.strip())
    return bare - whole - affixed_forms(source, whole_entries)


def affixed_forms(source, entries):
    """Every form that unmunch makes of these entries of a dictionary."""
    with tempfile.NamedTemporaryFile("w", encoding="utf-8", suffix=".dic") as dic:
        dic.write("%d\n" % len(entries) + "".join(e + "\n" for e in entries))
        dic.flush()
        out = subprocess.run(["/usr/bin/unmunch", dic.name,
                              os.path.join(HUNSPELL, source + ".aff")],
                             capture_output=True, check=True)
    return {unicodedata.normalize("NFC", w) for w in out.stdout.decode("utf-8").split()}


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
        words = hunspell_forms(source, package)
    else:
        path = os.path.join(DICT, source)
        if not os.path.exists(path):
            raise SystemExit("make-wordlist: %s is missing; install %s" % (path, package))
        with open(path, encoding="utf-8") as f:
            words = f.read().split()
    return [unicodedata.normalize("NFC", w) for w in words if w != "\ufeff"]


def is_plain_word(word):
    return all(unicodedata.category(c)[0] in "LM" for c in word)


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


def stop_list(lang):
    """The test for a word the language's stop list leaves out: a word in
    any case, or for a language that keeps every spelling, the spelling
    itself ("spiel", the verb's, and not "Spiel", the noun)."""
    stop = set(read_derived(os.path.join(HERE, lang, "stoplist")))
    if lang in CASED:
        return lambda w: w in stop
    stop = {w.lower() for w in stop}
    return lambda w: w.lower() in stop


def curated(lang, stoplist=True, additions=True):
    letters = LANGUAGES[lang][3].split()
    stopped = stop_list(lang) if stoplist else (lambda w: False)
    added = read_derived(os.path.join(HERE, lang, "additions")) if additions else []
    kept = [w for w in source_words(lang) if is_plain_word(w) and len(w) > 1]
    if lang in CASED:
        kept += capitalized_forms(lang, kept)
    kept += ligature_forms(lang, kept)
    kept += proper_names(lang, kept)
    if lang in DERIVED:
        kept += sorted(DERIVED[lang]())
    return [w for w in one_per_folding(kept + letters + added, lang) if not stopped(w)]


def spelled_out(word):
    return word.replace("œ", "oe").replace("Œ", "Oe").replace("æ", "ae").replace("Æ", "Ae")


def lacking_forms(lang, words, keep):
    """The plain forms of the language's Hunspell dictionary that the list
    `words` lacks (ignoring case) and that `keep(form, listed)` takes, where
    `listed` holds the list's words in small letters; none for a language
    without a dictionary."""
    if lang not in FORMS:
        return set()
    listed = {w.lower() for w in words}
    name, package = FORMS[lang]
    return {w for w in hunspell_forms(name, package)
            if is_plain_word(w) and w.lower() not in listed and keep(w, listed)}


def ligature_forms(lang, words):
    """The forms written with a ligature ("cœur", "vœu") that the language's
    Hunspell dictionary accepts and the list holds spelled out only
    ("coeur"): wfrench spells every œ out, French text seldom does, and
    unjam reads the two as different words."""
    return sorted(lacking_forms(lang, words, lambda w, listed: spelled_out(w) != w
                                and spelled_out(w).lower() in listed))


def proper_names(lang, words):
    """The names of places and people that the language's Hunspell
    dictionary holds ("Lyon", "Hélène", "Bucarest") and the list lacks:
    wfrench, witalian and wbrazilian hold none, and a film says them. Four
    letters or more, and not in capitals: a short name is a piece of many
    joins, and the capitals are acronyms."""
    return sorted(lacking_forms(lang, words, lambda w, _: w[:1].isupper() and not w.isupper()
                                and len(w) >= 4))


def cut_by_unjam(unjam, words, forms):
    """The forms that unjam, with the list `words`, would cut."""
    width = 8  # forms a line
    with tempfile.TemporaryDirectory(prefix="make-wordlist-") as work:
        with open(os.path.join(work, "words"), "w", encoding="utf-8", newline="\n") as f:
            f.write("".join(w + "\n" for w in words))
        with open(os.path.join(work, "in.srt"), "w", encoding="utf-8", newline="\n") as f:
            for k in range(0, len(forms), width):
                f.write("%d\n00:00:01,000 --> 00:00:02,000\n%s\n\n"
                        % (k // width + 1, " ".join(forms[k:k + width])))
        subprocess.run([unjam, "in.srt", "out.srt"], cwd=work, stdout=subprocess.DEVNULL,
                       check=True)
        with open(os.path.join(work, "out.srt"), encoding="utf-8") as f:
            blocks = f.read().replace("\r\n", "\n").split("\n\n")
    cut = []
    for block in blocks:
        lines = block.strip().split("\n")
        if len(lines) >= 3:
            start = (int(lines[0]) - 1) * width
            kept = set(lines[2].split())
            cut += [w for w in forms[start:start + width] if w not in kept]
    return cut


def reads_as_letter_join(word, letters, listed):
    """Whether a word reads as one of the language's one-letter words joined
    to a listed word ("aforça", "a força"; "oque", "o que")."""
    low = word.lower()
    return (low[0] in letters and low[1:] in listed) or (low[-1] in letters and low[:-1] in listed)


def cut_forms(lang, words, unjam):
    """The forms of the language's Hunspell dictionary that the list lacks
    and unjam would cut; none for a language without a dictionary. Forms
    that read as a one-letter word joined to a listed word are left to be
    cut: the language writes that join far more often than the rare form
    ("aforça", of "aforçar"), and the training halves gained by it."""
    if lang not in FORMS:
        return []
    letters = set(LANGUAGES[lang][3].split())
    forms = one_per_folding(lacking_forms(lang, words, lambda w, listed: len(w) > 1
                                          and not reads_as_letter_join(w, letters, listed)))
    return cut_by_unjam(unjam, words, forms)


def with_forms(lang, words, unjam):
    """The list completed with the forms unjam would cut, less the words of
    the stop list. Kept whole as accepted words instead, the stop list's
    words (joins of the corpora: Italian "perla", "per la") cost recall and
    gained nothing, so no list has accepted words."""
    stopped = stop_list(lang)
    forms = cut_forms(lang, words, unjam)
    return one_per_folding(words + [w for w in forms if not stopped(w)], lang)


def plain(lang):
    """The Debian source as it is, only sorted: what the benchmark compares with."""
    return in_order(set(source_words(lang)))


def licence(package):
    """The text of a package's copyright file."""
    with open("/usr/share/doc/%s/copyright" % package, encoding="utf-8") as f:
        return f.read()
