// Compounds of a language that capitalizes its nouns and writes them joined
// (German "Lagerfeuer", "Polizeiberichten"): no list can hold them all, and
// their last parts are often words of their own written small ("feuer", a
// verb's imperative; "berichten"), so the split search would cut them.
#pragma once

#include <cstddef>

// True when the profile reads compounds and the word, read in lineEncoding,
// is written capitalized (or in capitals) and reads as a noun followed by
// one or more nouns written small: each piece, of three characters or more,
// listed capitalized; or as a stem followed by nouns ("Lese|brille"), when
// it reads as no join of common words. A join keeps the case of its words ("dasHaus",
// "Polizei berichten" written as said: "Polizeiberichten" is the one
// reading that both the case and the list allow), so such a word is taken
// for what German makes of it: one word, kept whole, and a piece that
// ends a join ("amLagerfeuer" is "am Lagerfeuer").
bool readsAsCompound(const char* word, size_t length);
