// Test helpers: word lists from strings, and one top-level repair captured
// with everything it leaves behind.
#pragma once

#include <cstdint>
#include <string>

// Replaces the loaded word list with the words of the two texts, parsed as
// the files `words` and `words2` would be. `second` == nullptr: no `words2`.
void loadTestDictionary(const std::string& main, const char* second = nullptr);

struct Repair {
    std::string result;
    std::string messages;  // standard output during the call
    int64_t fixedRise;
    int64_t ofTheRise;
    bool fixed;
    std::string lineAfter;  // the caller's text after the call
};

// Repairs `line` (up to its first NUL) as line number 42, verbose.
Repair repairCaptured(const std::string& line);
