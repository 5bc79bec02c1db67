// Test helper: word lists from strings.
#pragma once

#include <cstdio>
#include <string>

#include "wordlist/dictionary.h"

inline void loadList(const std::string& text, void (*load)(FILE*, const char*)) {
    FILE* f = std::tmpfile();
    std::fwrite(text.data(), 1, text.size(), f);
    std::rewind(f);
    load(f, "the test list");
    std::fclose(f);
}

// Replaces the loaded word list with the words of the two texts, parsed as
// the files `words` and `words2` would be. `second` == nullptr: no `words2`.
inline void loadTestDictionary(const std::string& main, const char* second = nullptr) {
    freeDictionary();
    loadList(main, loadMainList);
    if (second) loadList(second, loadSecondList);
}
