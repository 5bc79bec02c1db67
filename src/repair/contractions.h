// Contractions run into the next word ("don'tknow", "I'mflying",
// "it'sokay"): the walk cuts the word at its apostrophe, so the piece
// behind it begins with the contraction's ending ("tknow"), which is no
// word. The ending is split off by itself, without being a listed word:
// listed, the one- and two-letter endings cut far more words than they
// serve ("Sis" into "S is", "Whoareyou" into "Whoa re you").
#pragma once

#include <cstddef>
#include <string_view>

#include "repair/repairword.h"

// Apostrophes as the character layer knows them (' and the typographic ’ ‘
// ʼ), in the encoding of the text they stand in: every rule that looks
// behind or before a word for one asks these. The length of the apostrophe
// at text[at], 0 when none; of the one whose last byte is text[end - 1],
// reading no further back than `from`.
size_t apostropheLengthAt(std::string_view text, size_t at);
size_t apostropheLengthBefore(std::string_view text, size_t from, size_t end);

// True when text[start] directly follows an apostrophe that itself follows
// a letter ("don'", "I'", "we'"), so the word there may begin with an
// ending; not after an apostrophe that opens a word or a quotation ('til).
bool followsContraction(std::string_view text, size_t from, size_t start);
// The letters before the apostrophe that text[start] follows ("It" of
// "It'shim"), reading no further back than `from`; empty when none.
std::string_view wordBeforeApostrophe(std::string_view text, size_t from, size_t start);
// True when the profile has proclitics and text[start] directly follows an
// apostrophe that opens a word (after no letter: German " 'nWasser"), so
// the word there may begin with a proclitic.
bool followsOpeningApostrophe(std::string_view text, size_t from, size_t start);

// The length of the contraction ending the word begins with: t s m d ll re
// ve in small letters, or in capitals when the whole word is in capitals
// ("I'MGOING", but "O'Malley" has none). 0 when it begins with none. A
// word that is an ending and nothing more ("we're") is kept as it stands.
size_t contractionEnding(std::string_view word);
// What a word of `call` begins with behind its apostrophe: the contraction
// ending behind a contraction, the longest of the profile's proclitics (in
// the word's case) behind an apostrophe that opens it; 0 elsewhere.
size_t leadingEnding(std::string_view word, const LineRepair& call);

// For a word of `call` that follows a contraction (or an opening
// apostrophe) and is not listed: the ending (or proclitic), a blank and the
// rest, when the rest is listed or can itself be repaired. Appended as the
// word's chosen split and counted as a fix; the returned length is where
// the split falls, 0 when there is none.
size_t splitContraction(char* word, LineRepair& call);
