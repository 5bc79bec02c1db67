// How a word is written as to case, and whether a piece of a joined word is
// written in a case that its listed spellings allow. A language that
// capitalizes its nouns (German) tells a noun's piece of a compound
// ("Haus|tür") from a word of its own ("Haus tür" is no German: "Tür" is
// listed capitalized), so that a split into a piece written small must find
// the piece listed small.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "wordlist/characters.h"

// The case forms of a word, one bit each; a listed key gathers those of all
// its spellings. small: it begins with a small letter and no capital
// follows ("tür"); capital: it begins with a capital and no capital follows
// a small letter ("Tür", "TÜR", "ROMs"); mixed: a capital follows a small
// letter ("LaTeX", "iPhone", and a piece cut badly: "derB" of "derBauer").
enum CaseForm : uint8_t { formSmall = 1, formCapital = 2, formMixed = 4 };

// The form of a word, one of the bits above, read in the given encoding.
uint8_t caseFormOf(std::string_view word, Encoding encoding);

// True when every letter of the word, read in the given encoding, is a
// capital and it holds two letters or more ("FARHANA", "R2D2", not "I").
bool isInCapitals(std::string_view word, Encoding encoding);

// Whether a piece, read in lineEncoding, may stand for a listed key whose
// spellings have the forms `listed`: one written capital or in capitals
// may stand for any (a sentence's start, a name, a word in capitals); one
// written small only for a key listed small; one written mixed only for a
// key listed mixed. Always true where the profile's case rule is off.
bool fitsListedCase(std::string_view piece, uint8_t listed);
