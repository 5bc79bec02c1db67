// Lookup in the loaded word list, whatever the case, the encoding and the
// form (composed or with combining marks) of the word: by its lookupKey.
#pragma once

#include <cstddef>
#include <cstdint>

#include "wordlist/characters.h"

// True when the word list holds the word, read in lineEncoding. A word whose
// first character is not a letter is never found: it gets a diagnostic line
// on standard output, in UTF-8.
bool inDict(const char* word);

// The same lookup for the first `length` bytes of `word` (no NUL among
// them), for callers that know the length: a piece longer than every listed
// word is answered without reading it. listedForms also tells the case
// forms (caseforms.h) of the word's listed spellings: 0 when it is not
// listed.
uint8_t listedForms(const char* word, size_t length);
inline bool inDictSized(const char* word, size_t length) {
    return listedForms(word, length) != 0;
}
// The same, for a word in the given encoding.
uint8_t listedFormsEncoded(const char* word, size_t length, Encoding encoding);
bool inDictEncoded(const char* word, size_t length, Encoding encoding);

// No piece of more bytes than this is listed, in any encoding: a key is
// never shorter than a third of its word (three combining jamo compose to
// one syllable). A caller that asks about every cut of a word asks only
// about the pieces within it, so that a long word costs linear time.
size_t longestListedPiece();

// listedForms for the first 1 to `count` bytes of an ASCII word that begins
// with a letter, in one pass: listed[p] answers for the first p bytes
// (listed has count + 1 entries). No diagnostic can arise.
void inDictPrefixes(const char* word, size_t count, uint8_t* listed);
