// Case-insensitive (A-Z only) lookup in the loaded word list.
#pragma once

#include <cstddef>

// True when the word list holds the word. A word whose first byte is not a
// letter is never found: it gets a diagnostic line on standard output.
bool inDict(const char* word);

// The same lookup for the first `length` bytes of `word` (no NUL among
// them), for callers that know the length: a piece longer than every listed
// word is answered without reading it.
bool inDictSized(const char* word, size_t length);

// inDict for the first 1 to `count` bytes of a word that begins with a
// letter, in one pass: listed[p] answers for the first p bytes (listed has
// count + 1 entries). No diagnostic can arise.
void inDictPrefixes(const char* word, size_t count, bool* listed);
