// Test helpers: word lists from strings, and one top-level repair captured
// with everything it leaves behind.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <string>

#include "repair/counters.h"
#include "repair/repairline.h"
#include "wordlist/dictionary.h"

inline void loadList(const std::string& text, void (*load)(FILE*)) {
    FILE* f = std::tmpfile();
    std::fwrite(text.data(), 1, text.size(), f);
    std::rewind(f);
    load(f);
    std::fclose(f);
}

// Replaces the loaded word list with the words of the two texts, parsed as
// the files `words` and `words2` would be. `second` == nullptr: no `words2`.
inline void loadTestDictionary(const std::string& main, const char* second = nullptr) {
    freeDictionary();
    loadList(main, loadMainList);
    if (second) loadList(second, loadSecondList);
}

struct Repair {
    std::string result, messages;  // messages: standard output during the call
    int64_t fixedRise, ofTheRise;
    bool fixed;
    std::string lineAfter;  // the caller's text after the call
};

// Repairs `line` (up to its first NUL) as line number 42, verbose.
inline Repair repairCaptured(const std::string& line) {
    lineNumber = 42;
    int64_t fixedBefore = fixedCount, ofTheBefore = ofTheCount;
    Repair r;
    r.fixed = true;  // must be cleared
    r.lineAfter = line;
    testing::internal::CaptureStdout();
    r.result = repairLine(r.lineAfter.data(), r.fixed, true);
    r.messages = testing::internal::GetCapturedStdout();
    r.fixedRise = fixedCount - fixedBefore;
    r.ofTheRise = ofTheCount - ofTheBefore;
    return r;
}
