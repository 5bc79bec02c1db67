#include "support/testsupport.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "repair/counters.h"
#include "repair/repairline.h"
#include "wordlist/dictionary.h"

namespace {

void loadFrom(const std::string& text, void (*load)(FILE*)) {
    FILE* f = std::tmpfile();
    ASSERT_NE(f, nullptr);
    std::fwrite(text.data(), 1, text.size(), f);
    std::rewind(f);
    load(f);
    std::fclose(f);
}

}  // namespace

void loadTestDictionary(const std::string& main, const char* second) {
    freeDictionary();
    loadFrom(main, loadMainList);
    if (second) loadFrom(second, loadSecondList);
}

Repair repairCaptured(const std::string& line) {
    lineNumber = 42;
    int64_t fixedBefore = fixedCount, ofTheBefore = ofTheCount;
    Repair r;
    r.fixed = true;  // must be cleared
    std::string text = line;
    testing::internal::CaptureStdout();
    r.result = repairLine(text.data(), r.fixed, true);
    r.messages = testing::internal::GetCapturedStdout();
    r.fixedRise = fixedCount - fixedBefore;
    r.ofTheRise = ofTheCount - ofTheBefore;
    r.lineAfter = text;
    return r;
}
