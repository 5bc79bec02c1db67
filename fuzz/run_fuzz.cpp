// A whole run on arbitrary input and word-list bytes, in this process, on
// files in a scratch folder: with every file present and readable, and the
// input in no UTF-16, nothing ends the process early. The output must hold one CR LF line per input
// line by the text rules, copy the cue and timing lines of every block unchanged and differ
// elsewhere only by the repair's own edits; the input and the word lists stay as they were.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "driver/run.h"
#include "fuzz/fuzzsupport.h"
#include "repair/counters.h"
#include "wordlist/characters.h"

namespace {

// The input's lines by the text rules: 0x1A ends the input; LF ends a line
// and takes the CRs just before it along, or, in an input without LF, each
// CR ends a line; a last line needs no line end; a NUL ends a line's text.
std::vector<std::string> textLines(const std::string& input) {
    std::string data = input.substr(0, input.find('\x1a'));
    char lineEnd = data.find('\n') != std::string::npos ? '\n' : '\r';
    std::vector<std::string> lines;
    for (size_t start = 0, end; start < data.size(); start = end + 1) {
        end = std::min(data.find(lineEnd, start), data.size());
        std::string line = data.substr(start, end - start);
        if (lineEnd == '\n' && end < data.size()) line.erase(line.find_last_not_of('\r') + 1);
        lines.push_back(line.substr(0, line.find('\0')));
    }
    return lines;
}

void checkOutput(const std::string& input, const std::string& output) {
    std::vector<std::string> in = textLines(input);
    expect(lineNumber == static_cast<int64_t>(in.size()), "lines read miscounted");
    size_t at = 0;
    int blockLine = 0;
    RepairEdits total;
    for (const std::string& text : in) {
        size_t end = output.find("\r\n", at);
        expect(end != std::string::npos, "fewer output lines than input lines");
        std::string out = output.substr(at, end - at);
        at = end + 2;
        if (text.empty()) {
            blockLine = 0;
            expect(out.empty(), "an empty line was not written empty");
        } else if (++blockLine < 3) {
            expect(out == text, "a cue or timing line was changed");
        } else {
            RepairEdits edits = compareRepair(text, out);
            total.blanksAdded += edits.blanksAdded;
            total.lettersLowered += edits.lettersLowered;
        }
    }
    expect(at == output.size(), "more output than input lines");
    checkCounts(total, fixedCount, ofTheCount);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    captureStandardOutput();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider provider(data, size);
    std::string words = provider.ConsumeRandomLengthString(4096);
    bool hasWords2 = provider.ConsumeBool();
    std::string words2 = hasWords2 ? provider.ConsumeRandomLengthString(4096) : "";
    std::string input = provider.ConsumeRemainingBytesAsString();
    // A file in UTF-16, as its first read shows it, is refused before the
    // run, which ends the process: no run to check.
    if (looksLikeUtf16(std::string_view(input).substr(0, size_t{1} << 16))) return 0;

    enterScratch();
    writeFile("words", words);
    if (hasWords2)
        writeFile("words2", words2);
    else
        std::remove("words2");
    writeFile("input.srt", input);
    std::remove("output.srt");

    // Each run starts as a fresh process would.
    lineNumber = fixedCount = ofTheCount = 0;
    runawayEdits = {};
    char program[] = "unjam", in[] = "input.srt", out[] = "output.srt";
    char* argv[] = {program, in, out, nullptr};
    expect(runUnjam(3, argv) == 0, "a run on readable files failed");

    expect(readFile("input.srt") == input, "the input was changed");
    expect(readFile("words") == words, "words was changed");
    expect(!hasWords2 || readFile("words2") == words2, "words2 was changed");
    checkOutput(input, readFile("output.srt"));
    leaveScratch();
    return 0;
}
