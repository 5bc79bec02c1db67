// A whole run on arbitrary input and word-list bytes. The files are written
// to a scratch directory that the harness works in, and runUnjam runs on
// them in this process: with every file present and readable nothing ends
// the process early. The output must hold one CR LF line per input line by
// the text rules, copy the cue and timing lines of every block unchanged and
// differ elsewhere only by the repair's own edits; the input and the word
// lists stay as they were.
#include <fuzzer/FuzzedDataProvider.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "driver/run.h"
#include "fuzz/fuzzsupport.h"
#include "repair/counters.h"

namespace {

char scratch[] = "/tmp/unjam-fuzz-run-XXXXXX";
char home[4096];

// The run reads its word lists from the working directory, so each run
// happens in the scratch directory; between runs libFuzzer needs its own.
void enterScratch() {
    expect(chdir(scratch) == 0, "cannot enter the scratch directory");
}
void leaveScratch() {
    expect(chdir(home) == 0, "cannot leave the scratch directory");
}

void removeScratch() {
    if (chdir(scratch) != 0) return;
    for (const char* name : {"input.srt", "output.srt", "words", "words2"})
        std::remove(name);
    if (chdir(home) == 0) rmdir(scratch);
}

// The input's lines by the text rules: 0x1A ends the input, LF ends a line
// and takes one CR before it along, a last line needs no line end.
std::vector<std::string> textLines(const std::string& input) {
    std::string data = input.substr(0, input.find('\x1a'));
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < data.size()) {
        size_t end = data.find('\n', start);
        if (end == std::string::npos) {
            lines.push_back(data.substr(start));
            break;
        }
        std::string line = data.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

std::vector<std::string> outputLines(const std::string& output) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < output.size()) {
        size_t end = output.find("\r\n", start);
        expect(end != std::string::npos, "an output line without CR LF");
        lines.push_back(output.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

void checkOutput(const std::string& input, const std::string& output) {
    std::vector<std::string> in = textLines(input);
    std::vector<std::string> out = outputLines(output);
    expect(out.size() == in.size(), "output and input have different numbers of lines");
    expect(lineNumber == static_cast<int64_t>(in.size()), "lines read miscounted");
    int blockLine = 0;
    RepairEdits total{0, 0, 0};
    for (size_t k = 0; k < in.size(); ++k) {
        std::string text = in[k].substr(0, in[k].find('\0'));
        if (text.empty()) {
            blockLine = 0;
            expect(out[k].empty(), "an empty line was not written empty");
        } else if (++blockLine < 3) {
            expect(out[k] == text, "a cue or timing line was changed");
        } else {
            RepairEdits edits = compareRepair(text, out[k]);
            total.blanksAdded += edits.blanksAdded;
            total.lettersLowered += edits.lettersLowered;
        }
    }
    std::fflush(stdout);
    RepairEdits runaway = runawayExtras(capturedOutput());
    expect(total.blanksAdded <= fixedCount + runaway.blanksAdded,
           "more blanks added than instances fixed");
    expect(total.lettersLowered <= 2 * fixedCount + runaway.lettersLowered,
           "letters lowered without an of-the");
    expect(ofTheCount <= fixedCount, "an of-the rewrite was not counted as fixed");
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    captureStandardOutput();
    expect(mkdtemp(scratch) != nullptr, "cannot make a scratch directory");
    expect(getcwd(home, sizeof home) != nullptr, "cannot read the working directory");
    std::atexit(removeScratch);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider provider(data, size);
    std::string words = provider.ConsumeRandomLengthString(4096);
    bool hasWords2 = provider.ConsumeBool();
    std::string words2 = hasWords2 ? provider.ConsumeRandomLengthString(4096) : "";
    std::string input = provider.ConsumeRemainingBytesAsString();

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
    capturedOutput().clear();
    char program[] = "unjam", in[] = "input.srt", out[] = "output.srt";
    char* argv[] = {program, in, out, nullptr};
    expect(runUnjam(3, argv) == 0, "a run on readable files failed");

    expect(readFile("input.srt") == input, "the input was changed");
    expect(readFile("words") == words, "words was changed");
    if (hasWords2) expect(readFile("words2") == words2, "words2 was changed");
    checkOutput(input, readFile("output.srt"));
    leaveScratch();
    return 0;
}
