#!/usr/bin/python3
"""Checks how the languages' derivation takes words out of a list that keeps
every spelling of a word (German), how their stop lists are applied, and
that the English derivation's split search keeps unjam's case rule, and
which Spanish diminutives and superlatives the lists are given.

    tools/wordlist/derivation_test.py
"""

import os
import sys
import unittest

sys.dont_write_bytecode = True
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
# Before the derivation, whose counting puts the benchmark's folder, with a
# languages.py of its own, first on the path.
import languages  # noqa: E402
import derivelanguage as d  # noqa: E402
import splitsearch  # noqa: E402
import diminutives  # noqa: E402


class FakeTraining:
    """Lines and their repairs, with nothing reported and nothing accepted."""

    def __init__(self, lines):
        self.lines = [(original, damaged) for original, damaged, _ in lines]
        self.repaired = [repaired for _, _, repaired in lines]
        self.accepted = set()

    def reported(self, words):
        return {}


class Derivation(unittest.TestCase):
    def test_a_small_piece_takes_out_the_small_spelling_alone(self):
        listed = {"bar": {"Bar", "bar"}, "sonder": {"sonder"}, "wisch": {"wisch"}}
        small = [  # original, damaged, repaired
            ("sonderbar ist", "sonderbar ist", "sonder bar ist"),
            ("Wischmop", "Wischmop", "Wisch mop"),
        ]
        capital = [("Barbara kommt", "Barbara kommt", "Bar bara kommt")]
        # A piece written small fits the small spelling only; one written
        # capitalized fits any, so all of them go.
        for rows, cased, want in (
                (small, True, {("small", "bar"), ("out", "sonder"), ("out", "wisch")}),
                (small, False, {("out", "bar"), ("out", "sonder"), ("out", "wisch")}),
                (capital, True, {("out", "bar")})):
            training = FakeTraining(rows)
            errs = [d.errors(o, dm, r) for o, dm, r in rows]
            out, _ = d.candidates(training, listed, training.repaired, errs, cased)
            self.assertEqual(out, want)

    def test_take_out(self):
        words = {"bar": {"Bar", "bar"}, "spiel": {"spiel"}}
        d.take_out(words, "small", "bar")
        self.assertEqual(words, {"bar": {"Bar"}, "spiel": {"spiel"}})
        d.take_out(words, "small", "spiel")
        self.assertEqual(words, {"bar": {"Bar"}})
        d.take_out(words, "out", "bar")
        self.assertEqual(words, {})

    def test_stop_list_names_spellings_where_every_spelling_is_kept(self):
        read = languages.read_derived
        languages.read_derived = lambda path: ["spiel", "Eis", "he"]
        try:
            cased, plain = languages.stop_list("de"), languages.stop_list("fr")
        finally:
            languages.read_derived = read
        self.assertEqual([w for w in ("spiel", "Spiel", "Eis", "eis", "he", "He") if cased(w)],
                         ["spiel", "Eis", "he"])
        self.assertEqual([w for w in ("spiel", "Spiel", "Eis", "eis", "he", "He") if plain(w)],
                         ["spiel", "Spiel", "Eis", "eis", "he", "He"])


class SplitSearchCaseRule(unittest.TestCase):
    def test_a_piece_written_small_must_be_listed_small(self):
        spellings = ["I", "Ian", "Lucas", "me", "Paris", "to"]
        words = {w.lower() for w in spellings}
        rows = [  # word, case rule off, on
            ("Mei", "me i", "Mei"),
            ("Lucasian", "Lucas ian", "Lucasian"),
            ("toian", "to ian", "toian"),  # nor in a trial's piece
            ("toParis", "to Paris", "to Paris"),  # a capital fits any spelling
            ("MEI", "ME I", "ME I"),
        ]
        try:
            for word, off, on in rows:
                for forms, want in ((None, off), (spellings, on)):
                    splitsearch.set_case_forms(forms)
                    got = splitsearch.search_word(words, {}, word, top=True)[0]
                    self.assertEqual(got.lower(), want.lower(), (word, forms is not None))
                    self.assertEqual(got.replace(" ", ""), word)
        finally:
            splitsearch.set_case_forms(None)


class SpanishDiminutives(unittest.TestCase):
    def test_forms_by_ending_and_flags(self):
        rows = [  # stem, flags, forms it must give, forms it must not
            ("casa", "LNS", {"casita", "casitas", "casito"}, {"casísima"}),
            ("flaco", "GS", {"flaquito", "flaquísimo", "flaquísimas"}, {"flacito"}),
            ("amigo", "SG", {"amiguito", "amiguitas"}, set()),
            ("taza", "S", {"tacita"}, {"tazita"}),
            ("seguro", "S", {"segurito"}, {"segurísimo"}),  # no gender, no superlative
            ("seguro", "kGS", {"segurísima"}, set()),
            ("golpe", "HS", {"golpecito", "golpecitos"}, {"golpito"}),
            ("camión", "CS", {"camioncito"}, {"camióncito"}),
            ("amor", "NS", {"amorcita"}, set()),
            ("número", "S", {"numerito"}, {"númerito"}),
            ("papel", "NS", {"papelito"}, {"papelcito"}),
        ]
        for stem, flags, made, not_made in rows:
            forms = set(diminutives.spanish_forms(stem, flags))
            self.assertLessEqual(made, forms, stem)
            self.assertFalse(not_made & forms, stem)
        # Verbs (no plural), names, short stems and other endings give none.
        for stem, flags in (("hablar", "REDÁ"), ("Madrid", "S"), ("te", "S"), ("pez", "S"),
                            ("reloj", "S")):
            self.assertEqual(diminutives.spanish_forms(stem, flags), [], stem)


if __name__ == "__main__":
    unittest.main()
