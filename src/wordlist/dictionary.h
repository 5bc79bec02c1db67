// The word list: every word of `words` (the main list, grouped by first
// letter A to Z) followed by every word of `words2` (any order), held for
// the whole run. Written only by readDictionary, read only by inDict.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string_view>
#include <vector>

// The stored words, pointing into the text of the files they were read from.
extern std::vector<std::string_view> dictWords;
extern std::vector<int32_t> dictLengths;
// What each stored word is looked up by: an ASCII word is its own key
// (compared ignoring the case of A-Z), any other has its lookupKey, read in
// the encoding of its own line of the file. Empty while every stored word is
// ASCII, as in most lists; then dictWords are the keys.
extern std::vector<std::string_view> dictKeys;
inline const std::vector<std::string_view>& keyTexts() {
    return dictKeys.empty() ? dictWords : dictKeys;
}
inline std::string_view keyOf(int32_t position) {
    return keyTexts()[static_cast<size_t>(position)];
}
extern int32_t dictCount;
// Entries 0-25: where the run of main-list words of letters A-Z starts.
// Entry 26: end of the main list (start of the second list).
// Entry 27: end of the second list; stays 0 when `words2` is absent.
extern int32_t letterStart[28];

// Loads `words` and `words2` from the working directory. Ends the process
// with status 1 when `words` cannot be opened.
void readDictionary();
void freeDictionary();
// The second half of readDictionary: loads `words2` when there is one.
void readWords2();

// The pieces of readDictionary, for callers that supply their own files;
// `name` is the file's name for messages.
void loadMainList(FILE* f, const char* name = "words");
void loadSecondList(FILE* f, const char* name = "words2");
