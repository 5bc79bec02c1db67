#!/usr/bin/python3
"""Checks the benchmark's scoring and damage on hand-made lines.

    bench/quality/scoring_test.py
"""

import os
import sys
import unittest

sys.dont_write_bytecode = True
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import qualitylib as q  # noqa: E402
import typeset as t  # noqa: E402
import languages as lang  # noqa: E402

LISTED = {"a", "i", "in", "the", "int", "he", "was", "of", "go", "fort", "for", "boat"}

# original, damaged, repaired -> removed, inserted, right, damaged line?,
# restored/changed, other edit?
SCORES = [
    ("in the boat", "inthe boat", "in the boat", 1, 1, 1, True, True, False),
    ("in the boat", "inthe boat", "int he boat", 1, 1, 0, True, False, False),
    ("in the boat", "inthe boat", "inthe boat", 1, 0, 0, True, False, False),
    ("go for the boat", "go forthe boat", "go fort he boat", 1, 1, 0, True, False, False),
    ("in the Boston", "in the Boston", "in the Bo ston", 0, 1, 0, False, True, False),
    ("in the boat", "in the boat", "in the boat", 0, 0, 0, False, False, False),
    # of-the rule lower-cases the "of": the spaces still count as right.
    ("OF THE boat", "OFTHE boat", "of THE boat", 1, 1, 1, True, False, True),
    # a doubled i dropped: spaces are aligned around it.
    ("skiing in the", "skiing inthe", "sking in the", 1, 1, 1, True, False, True),
    # two spaces of one join, one put back right and one wrong.
    ("go in the boat", "gointhe boat", "go int he boat", 2, 2, 1, True, False, False),
]

# original, damaged, repaired -> causes
CAUSES = [
    ("don't go", "don'tgo", "don'tgo", [q.MISSED_APOSTROPHE]),
    ("in Boston", "inBoston", "inBoston", [q.MISSED_UNLISTED]),
    ("in the boat", "inthe boat", "int he boat", [q.MISSED_LISTED, q.WRONG_IN_JOIN]),
    ("in Boston", "in Boston", "in Bos ton", [q.WRONG_IN_WORD]),
    ("in the boat", "inthe boat", "in the boat", []),
]


class ScoringTest(unittest.TestCase):
    def test_scores(self):
        for (original, damaged, repaired, removed, inserted, right, is_damaged, flag,
             other) in SCORES:
            with self.subTest(repaired=repaired):
                s = q.Score()
                s.add(original, damaged, repaired)
                self.assertEqual((s.removed, s.inserted, s.right), (removed, inserted, right))
                self.assertEqual(s.damaged_lines, int(is_damaged))
                self.assertEqual(s.restored if is_damaged else s.intact_changed, int(flag))
                self.assertEqual(s.other_edits, int(other))

    def test_causes(self):
        for original, damaged, repaired, expected in CAUSES:
            with self.subTest(repaired=repaired):
                self.assertEqual(q.causes(original, damaged, repaired, LISTED), expected)

    def test_intact_cause(self):
        known = {"in", "to", "into", "boston", "bos", "ton"}
        self.assertEqual(q.intact_cause("in Bilbo", "in Bil bo", known), q.INTACT_UNKNOWN)
        self.assertEqual(q.intact_cause("in Boston", "in Bos ton", known), q.INTACT_KNOWN)
        # an unknown word that was left whole is not the cause
        self.assertEqual(q.intact_cause("Bilbo into", "Bilbo in to", known), q.INTACT_KNOWN)

    def test_piece_verdicts(self):
        self.assertEqual(q.piece_verdicts("go for the boat", "go forthe boat", "go fort he boat"),
                         [("fort", False), ("he", False)])
        self.assertEqual(q.piece_verdicts("or a boat", "ora boat", "ora boat"), [("ora", False)])
        self.assertEqual(q.piece_verdicts("in the boat", "inthe boat", "in the boat"),
                         [("in", True), ("the", True)])

    def test_a_season_scores_as_its_series(self):
        cues = [("s/ep1", ["in the boat"]), ("s/ep2", ["in the boat"]), ("t", ["in the boat"])]
        damaged = [(n, ["inthe boat"]) for n, _ in cues]
        self.assertEqual(q.score(cues, damaged, damaged, ("s",)).lines, 2)
        self.assertEqual(q.score(cues, damaged, damaged, ("t",)).lines, 1)


class DamageTest(unittest.TestCase):
    CUES = [("f1", ["in the boat", "a b 1 c"]), ("f2", ["go for the boat was"] * 3)]

    def test_removes_the_share_of_spaces_between_letters(self):
        damaged = q.damage(self.CUES, 1, rate=0.5)
        for (_, cue), (_, out) in zip(self.CUES, damaged):
            for line, hurt in zip(cue, out):
                self.assertEqual(line.replace(" ", ""), hurt.replace(" ", ""))
        spaces = sum(len(q.joinable_spaces(l)) for _, c in self.CUES for l in c)
        left = sum(len(q.joinable_spaces(l)) for _, c in damaged for l in c)
        self.assertEqual(spaces - left, round(0.5 * 3) + round(0.5 * 12))
        self.assertEqual(damaged[0][1][1].count(" 1 "), 1)  # spaces by a digit stay

    def test_same_seed_same_damage_per_file(self):
        self.assertEqual(q.damage(self.CUES, 7), q.damage(self.CUES, 7))
        self.assertEqual(q.damage(self.CUES, 7)[1], q.damage(self.CUES[1:], 7)[0])
        self.assertNotEqual(q.damage(self.CUES, 7, 0.5), q.damage(self.CUES, 8, 0.5))


class CleanTest(unittest.TestCase):
    def test_clean(self):
        self.assertEqual(q.clean("  He said ``maybe''; [then he left]\n\t-- *Someone*\n"),
                         'He said "maybe", (then he left) -- Someone')
        self.assertIsNone(q.clean("-- : -- ,, -- !! ab"))
        self.assertIsNone(q.clean("x = y + 1"))
        self.assertIsNone(q.clean("caf\u00e9"))
        self.assertIsNone(q.clean("THISISALLONEWORDONPURPOSEFORFUN"))


class ManualSentencesTest(unittest.TestCase):
    ENGLISH = {"secure", "sockets", "layer", "the", "a"}

    def test_sentences(self):
        self.assertEqual(lang._sentences("Il faut :  voir. Est-ce\nfini ? Oui… non!"),
                         ["Il faut :", "voir.", "Est-ce fini ?", "Oui…", "non!"])

    def test_english_phrase(self):
        for text, quotes in (("le prédécesseur « Secure Sockets Layer »", True),
                             ("le protocole Secure et le reste", False),
                             ("Sockets, layer", True),
                             ("a the", False)):  # one letter tells nothing
            with self.subTest(text=text):
                self.assertEqual(lang._holds_english_phrase(text, self.ENGLISH), quotes)


# plain line, typeset for subtitles for the deaf and hard of hearing?,
# speaker label -> the line typeset
TYPESET = [
    ("I don't know -- it's 'Cause of 'em.", False, None, "I don’t know—it’s ’Cause of ’em."),
    ('She said "no..." and \'left\' me', False, None, "She said “no…” and ‘left’ me"),
    ("- Wait-- no. Fine - really.", False, None, "- Wait—no. Fine – really."),
    ("[door slams] (sighs) (in Greek) # la #", True, None,
     "[DOOR SLAMS] *sighs* [IN GREEK] ♪ la ♪"),
    ("[door slams] (sighs)", False, None, "[door slams] (sighs)"),
    ("- Where is he?", True, "ROSA", "- ROSA: Where is he?"),
    ("<i>Where is he?</i>", True, "ROSA", "<i>Where is he?</i>"),
]

# plain line, damaged -> utf8, cp1252 and ascii variants of the damaged line
DAMAGED = [
    ("[door slams] I don't know", "[doorslams] I don'tknow",
     "[DOORSLAMS] I don’tknow", b"[DOORSLAMS] I don\x92tknow", "[DOORSLAMS] I don'tknow"),
    ("# la la # uh-- sorry", "# lala # uh-- sorry", "♪ lala ♪ uh—sorry",
     b"\xb6 lala \xb6 uh\x97sorry", "# lala # uh--sorry"),
]


class TypesetTest(unittest.TestCase):
    def test_typeset(self):
        for line, sdh, label, expected in TYPESET:
            with self.subTest(line=line):
                self.assertEqual("".join(t.typeset_map(line, sdh, label)), expected)

    def test_windows_1252_holds_what_it_can(self):
        self.assertEqual(t.in_text("♪ Öl → œuvre", "cp1252"), "¶ Öl ? œuvre")

    def test_damage_stays_the_same_in_every_variant(self):
        for line, hurt, utf8, cp1252, ascii in DAMAGED:
            cues, damaged = [("f", [line])], [("f", [hurt])]
            for text, expected in (("utf8", utf8), ("cp1252", cp1252.decode("cp1252")),
                                   ("ascii", ascii), ("plain", hurt)):
                with self.subTest(line=line, text=text):
                    typeset, out = t.typeset_cues(cues, damaged, text, True)
                    self.assertEqual(out[0][1][0], expected)
                    s = q.Score()
                    s.add(typeset[0][1][0], out[0][1][0], out[0][1][0])
                    self.assertEqual(s.removed, len(t.removed_spaces(line, hurt)))

    def test_labels_are_names_called_and_named_inside_sentences(self):
        lines = ["Rosa, come here.", "Hey, you.", "I saw Rosa and Hey.", "- Tom, go.",
                 "with Tom", "Hey there"]
        self.assertEqual(t.vocatives(lines, {"hey", "you", "there"}), ["ROSA", "TOM"])


class LogScoreTest(unittest.TestCase):
    LISTED = q.Listed({"door", "don", "me", "know", "caf\u00e9", "nothing", "slams"})

    def test_false_not_found(self):
        for word, false in (("[DOOR", True), ("\u266a", True), ("don\u2019t", True),
                            ("me\u2026", True), ("Door\u2014know", True), ("nothin\u2019", True),
                            ("CAFE\u0301", True), ("don\u2019tknow", False), ("Kowalczyk", False),
                            ("[DOORSLAMS]", False)):
            with self.subTest(word=word):
                self.assertEqual(q.false_not_found(word, self.LISTED), false)

    def test_counts(self):
        log = (b"Reading in dictionary...done.\ninDict got symbol '\xe2'\n"
               b"3: Couldn't find '[DOOR' in the dictionary.\n"
               b"4: Couldn't find 'Zorvath' in the dictionary.\nRead 4 lines.\n")
        s = q.LogScore(log, 2, self.LISTED)
        self.assertEqual((s.symbol, s.invalid, s.not_found, s.false), (1, 1, 2, 1))
        self.assertEqual(s.per_thousand(s.false), 500)


if __name__ == "__main__":
    unittest.main()
