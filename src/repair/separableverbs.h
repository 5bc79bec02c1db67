// Separable verbs: German writes a prefix into the verb form it stands
// right before ("wenn er rauskommt", "vorbeilaufen", "hingeflogen",
// "anzudrehen"), and no list holds every such pair, so the split search
// would cut them into two listed words ("raus kommt").
#pragma once

#include <cstddef>

#include "wordlist/profile.h"

// True when the word, read in lineEncoding and written small, reads as one
// or more of the profile's prefixes followed by a listed word
// written small that is three characters or more and no function word of
// the profile. A prefix that is itself a function word (a preposition: "an",
// "mit") joins only a word that begins with one of the profile's
// verb-starts (a participle or a zu-infinitive: "an|gefahren",
// "an|zudrehen"); before any other word it is the preposition, and the word
// a join ("mit|schönen").
bool readsAsPrefixedVerb(const char* word, size_t length);
// The same, or false at once where the profile has no prefixes: it is asked
// of every piece a split tries, and most languages have none.
inline bool readsAsSeparableVerb(const char* word, size_t length) {
    return !activeProfile.prefixes.empty() && readsAsPrefixedVerb(word, length);
}
