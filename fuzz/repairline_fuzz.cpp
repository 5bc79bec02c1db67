// Feeds arbitrary bytes to repairLine as one text line, against a small fixed
// word list that exercises every rule, and checks what the rules allow the
// result to differ from the line by (fuzzsupport.h), against the counters,
// which only ever rise. ASan catches any access past the line, which is
// given in a buffer of exactly its size.
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "fuzz/fuzzsupport.h"
#include "repair/counters.h"
#include "repair/repairline.h"
#include "wordlist/dictionary.h"

namespace {

struct Outcome {
    std::string result, lineAfter;
    bool fixed;
    int64_t fixedRise, ofTheRise;
};

Outcome repairCopy(const std::string& text) {
    // Exactly the line and its NUL: any read or write past it is an ASan error.
    std::vector<char> line(text.begin(), text.end());
    line.push_back('\0');
    int64_t lineBefore = lineNumber, fixedBefore = fixedCount, ofTheBefore = ofTheCount;
    runawayEdits = {};
    Outcome out;
    out.result = repairLine(line.data(), out.fixed, true);
    expect(lineNumber == lineBefore, "lineNumber changed");
    out.fixedRise = fixedCount - fixedBefore;
    out.ofTheRise = ofTheCount - ofTheBefore;
    expect(out.fixedRise >= 0 && out.ofTheRise >= 0, "a counter fell");
    expect(line.back() == '\0', "the line's NUL was overwritten");
    out.lineAfter.assign(line.data(), line.size() - 1);
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    captureStandardOutput();
    // Grouped by first letter, as `words` must be. The pairs come from the
    // rules' own examples: ambiguity, re/ll alternatives, recursive splits,
    // of-the, ii, and ha/haha for long searches.
    enterScratch();
    writeFile("words",
              "a are be bet boat doing ha haha he I is it ll ok re reyou t the this tween ween "
              "we what will you\n");
    writeFile("words2", "Zorblax ween\n");
    readDictionary();
    leaveScratch();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // A line ends at its first NUL, as the run hands it over.
    std::string text(reinterpret_cast<const char*>(data), size);
    text.resize(std::strlen(text.c_str()));

    Outcome first = repairCopy(text);
    checkCounts(compareRepair(text, first.result), first.fixedRise, first.ofTheRise);
    expect(!first.fixed || first.fixedRise > 0, "fixed flag set without a counted split");
    if (first.fixedRise == 0 && text.find("ii") == std::string::npos)
        expect(first.result == mergeQuotePairs(text), "a line with nothing to fix was changed");

    // Nothing survives from one call to the next but the counters.
    Outcome second = repairCopy(text);
    expect(second.result == first.result && second.fixed == first.fixed &&
               second.fixedRise == first.fixedRise && second.ofTheRise == first.ofTheRise &&
               second.lineAfter == first.lineAfter,
           "a second call did otherwise");
    return 0;
}
