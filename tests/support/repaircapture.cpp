#include "support/repaircapture.h"

#include <gtest/gtest.h>

#include "repair/counters.h"
#include "repair/repairline.h"

Repair repairCaptured(const std::string& line, int64_t number) {
    lineNumber = number;
    int64_t fixedBefore = fixedCount, ofTheBefore = ofTheCount;
    Repair r;
    std::string text = line;
    testing::internal::CaptureStdout();
    r.result = repairLine(text.data(), r.fixed, true);
    r.messages = testing::internal::GetCapturedStdout();
    r.fixedRise = fixedCount - fixedBefore;
    r.ofTheRise = ofTheCount - ofTheBefore;
    r.lineAfter = text;
    return r;
}
