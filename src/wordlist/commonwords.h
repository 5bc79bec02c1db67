// Words said together that lost the space between them ("dansla", "quenão",
// "Schongut"): only the list's counts tell such a join from a word that reads
// as listed words too, a name ("Bramblebum" is "bramble" + "bum", both rare)
// or a compound ("Schonkost").
#pragma once

#include <string_view>

#include "wordlist/characters.h"

// True when pieces that `takes` accepts, two or more, make up the word, read
// in `encoding` and cut only where a word may be cut (isSplitPoint). No
// piece is longer than the longest listed word, so the search is linear in
// the word's length.
bool readsAsPieces(std::string_view word, Encoding encoding,
                   bool (*takes)(std::string_view piece, Encoding encoding));

// True when the word, read in `encoding`, reads as two or more listed words
// of two characters or more that are each common: said at least once in
// every 10,000 words. False without counts, and for a word longer than any
// such join.
bool readsAsCommonWords(std::string_view word, Encoding encoding);
