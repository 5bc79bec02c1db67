// Feeds arbitrary bytes to repairLine as one text line, against a small fixed
// word list that exercises every rule, and checks what the rules allow the
// result to differ from the line by: blanks added by splits and of-the
// rewrites, an i dropped from an "ii", "of" written in lower case, and
// doubled quotes merged. Counters only ever rise. ASan catches any access
// past the line, which is given in a buffer of exactly its size.
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "fuzz/fuzzsupport.h"
#include "repair/counters.h"
#include "repair/repairline.h"

namespace {

// Grouped by first letter, as `words` must be. The pairs come from the
// rules' own examples: ambiguity, re/ll alternatives, recursive splits,
// of-the, ii, and ha/haha for long searches.
const char* const mainList =
    "a are be bet boat doing ha haha he I is it ll ok re reyou t the this tween ween "
    "we what will you\n";
const char* const secondList = "Zorblax ween\n";

struct Counts {
    int64_t line, fixed, ofThe;
};

Counts counts() {
    return {lineNumber, fixedCount, ofTheCount};
}

struct Outcome {
    std::string result;
    bool fixed;
    int64_t fixedRise, ofTheRise;
    std::string lineAfter;
    RepairEdits runaway;  // what runaway words add beyond their counted instance
};

Outcome repairCopy(const std::string& text) {
    // Exactly the line and its NUL: any read or write past it is an ASan error.
    std::vector<char> line(text.begin(), text.end());
    line.push_back('\0');
    Counts before = counts();
    capturedOutput().clear();
    Outcome out;
    out.result = repairLine(line.data(), out.fixed, true);
    Counts after = counts();
    expect(after.line == before.line, "lineNumber changed");
    expect(after.fixed >= before.fixed, "fixedCount fell");
    expect(after.ofThe >= before.ofThe, "ofTheCount fell");
    out.fixedRise = after.fixed - before.fixed;
    out.ofTheRise = after.ofThe - before.ofThe;
    expect(line.back() == '\0', "the line's NUL was overwritten");
    out.lineAfter.assign(line.data(), line.size() - 1);
    std::fflush(stdout);
    out.runaway = runawayExtras(capturedOutput());
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    captureStandardOutput();
    loadWordLists(mainList, secondList);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // A line ends at its first NUL, as the run hands it over.
    std::string text(reinterpret_cast<const char*>(data), size);
    text.resize(std::strlen(text.c_str()));

    Outcome first = repairCopy(text);
    RepairEdits edits = compareRepair(text, first.result);
    // Every blank comes from a counted split or of-the rewrite, and only an
    // of-the rewrite lowers letters, two of them; a runaway word counts one
    // instance for all of its result.
    expect(edits.blanksAdded <= first.fixedRise + first.runaway.blanksAdded,
           "more blanks added than instances fixed");
    expect(edits.lettersLowered <= 2 * first.fixedRise + first.runaway.lettersLowered,
           "letters lowered without an of-the");
    expect(first.ofTheRise <= first.fixedRise, "an of-the rewrite was not counted as fixed");
    expect(!first.fixed || first.fixedRise > 0, "fixed flag set without a counted split");
    if (first.fixedRise == 0 && text.find("ii") == std::string::npos)
        expect(first.result == mergeQuotePairs(text), "a line with nothing to fix was changed");

    // Nothing survives from one call to the next but the counters.
    Outcome second = repairCopy(text);
    expect(second.result == first.result, "a second call gave another result");
    expect(second.fixed == first.fixed, "a second call gave another fixed flag");
    expect(second.fixedRise == first.fixedRise && second.ofTheRise == first.ofTheRise,
           "a second call counted differently");
    expect(second.lineAfter == first.lineAfter, "a second call left the line otherwise");
    return 0;
}
