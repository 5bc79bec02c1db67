// A hash index over the loaded word list, so that a lookup costs the same
// whatever the length of either list. It holds the keys (dictKeys) of
// exactly the stored words that the letter-range scan can reach, and of
// every word whose initial is a letter beyond A-Z, and answers as that scan
// would.
#pragma once

#include <cstddef>
#include <cstdint>

#include "wordlist/characters.h"

// Adds the stored words at positions [begin, end) that a lookup can find:
// a main-list word only inside the range of its own initial (A-Z), or
// anywhere when its initial is a letter beyond A-Z; a second-list word when
// its initial is a letter; never a word holding a zero byte.
// Called by loading once the letter index for those positions is final.
void indexWords(int32_t begin, int32_t end);

// True when a lookup of the stored word's initial scans its position: a
// main-list word inside its own letter's range, a word whose initial is a
// letter beyond A-Z and a second-list word always; never a word whose
// initial is not a letter.
bool rangeHolds(int32_t position);
void clearWordIndex();

// The case forms (caseforms.h) of the listed spellings of the key of
// `length` bytes at `word` (a key, or an ASCII word, A-Z folded to a-z); 0
// when the index does not hold it.
uint8_t indexForms(const char* word, size_t length);
inline bool indexHolds(const char* word, size_t length) {
    return indexForms(word, length) != 0;
}
// The same for a word in the given encoding: an ASCII word is its own key,
// any other is keyed first.
uint8_t indexFormsOfWord(const char* word, size_t length, Encoding encoding);

// indexForms for every prefix of `word` of 1 to `count` bytes in one pass:
// listed[p] answers for the first p bytes (listed has count + 1 entries).
void markListedPrefixes(const char* word, size_t count, uint8_t* listed);

// Length of the longest indexed word: no longer piece can be found.
size_t longestIndexedWord();
