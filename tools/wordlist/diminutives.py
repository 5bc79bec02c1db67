"""The diminutives and superlatives that Spanish makes of its nouns and
adjectives as it speaks (`golpecito`, `problemita`, `flaquito`,
`segurísima`), which no dictionary lists: Hunspell's es_ES holds a few that
became words of their own (`ahorita`, `poquito`), so unjam reported the
rest in every film and cut some into listed pieces (`golpe cito`).

They are made from the entries of es_ES.dic that take a plural (flag S:
nouns and adjectives), and the superlatives from those that also take a
gender (flag G: adjectives, and nouns of both genders), by the spelling
rules of the suffixes:

- a word in -o or -a drops it for -ito, -ita, -itos, -itas (`casa`,
  `casita`), c becoming qu (`flaco`, `flaquito`), g gu (`amigo`,
  `amiguito`) and z c (`taza`, `tacita`);
- one in -e, -n or -r takes -cito (`golpe`, `golpecito`; `amor`,
  `amorcito`; `camión`, `camioncito`); one in -l takes -ito (`papel`,
  `papelito`);
- an adjective in -o takes -ísimo, -ísima, -ísimos, -ísimas in its place,
  with the same changes (`seguro`, `segurísima`; `largo`, `larguísimo`).

The stress moves to the suffix, so the stem loses its written accent
(`número`, `numerito`).
"""

import os
import unicodedata

import affixes

HUNSPELL = "/usr/share/hunspell"

DIMINUTIVE = ("ito", "ita", "itos", "itas")
SUPERLATIVE = ("ísimo", "ísima", "ísimos", "ísimas")


def without_accents(word):
    """The word with its acute accents taken off (ñ and ü keep their marks)."""
    decomposed = unicodedata.normalize("NFD", word)
    return unicodedata.normalize("NFC", decomposed.replace("\u0301", ""))


def before_suffix(stem):
    """A stem in -o or -a without its vowel, spelled for a suffix in i."""
    base = stem[:-1]
    for end, spelled in (("c", "qu"), ("g", "gu"), ("z", "c")):
        if base.endswith(end):
            return base[:-len(end)] + spelled
    return base


def spanish_forms(stem, flags):
    """The diminutives and superlatives of one es_ES.dic entry."""
    word = without_accents(stem)
    if len(word) < 3 or not word.isalpha() or not word.islower() or "S" not in flags:
        return []
    last = word[-1]
    if last in "oa":
        forms = [before_suffix(word) + s for s in DIMINUTIVE]
        if last == "o" and "G" in flags:
            forms += [before_suffix(word) + s for s in SUPERLATIVE]
        return forms
    if last in "enr":
        return [word + "c" + s for s in DIMINUTIVE]
    if last == "l":
        return [word + s for s in DIMINUTIVE]
    return []


def spanish_derived(source="es_ES"):
    """Every diminutive and superlative of the dictionary's entries, the
    flags of a stem's entries together."""
    dictionary = affixes.Dictionary(os.path.join(HUNSPELL, source + ".aff"),
                                    os.path.join(HUNSPELL, source + ".dic"))
    flags = {}
    for stem, stem_flags in dictionary.stems:
        flags.setdefault(stem, set()).update(stem_flags)
    forms = set()
    for stem, stem_flags in flags.items():
        forms.update(spanish_forms(stem, stem_flags))
    return forms
