// Test helpers: load word lists from strings and capture standard output.
#pragma once

#include <string>

// Replaces the loaded word list with the words of the two texts, parsed as
// the files `words` and `words2` would be. `second` == nullptr: no `words2`.
void loadTestDictionary(const std::string& main, const char* second = nullptr);
