#include "fuzz/fuzzsupport.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>

#include "repair/verbatim.h"
#include "wordlist/characters.h"

RepairEdits runawayEdits;

void expect(bool ok, const char* what) {
    if (ok) return;
    std::fprintf(stderr, "invariant broken: %s\n", what);
    std::abort();
}

namespace {

char scratch[] = "/tmp/unjam-fuzz-XXXXXX";
char home[4096];

int64_t countOf(const std::string& text, const char* bytes) {
    return std::count_if(text.begin(), text.end(),
                         [bytes](char c) { return c && std::strchr(bytes, c); });
}

// "N: Ambiguous splitting of 'W': chose 'R' over too many alternatives to
// list"; neither W nor R can hold an apostrophe, which ends a word. Other
// lines (a word within its budgets may print 100,000 lookup diagnostics)
// are dropped.
void readRunawayLine(const std::string& line) {
    static const std::string head = ": Ambiguous splitting of '", middle = "': chose '",
                             tail = "' over too many alternatives to list\n";
    size_t from = line.find(head), to = line.find(middle), end = line.size() - tail.size();
    if (line.size() < tail.size() || line.compare(end, tail.size(), tail) != 0) return;
    expect(from != std::string::npos && to != std::string::npos, "a runaway line without its word");
    std::string word = line.substr(from + head.size(), to - from - head.size());
    std::string result = line.substr(to + middle.size(), end - to - middle.size());
    runawayEdits.blanksAdded += countOf(result, " ") - 1;
    runawayEdits.lettersLowered += countOf(word, "OF") - countOf(result, "OF");
}

ssize_t keep(void*, const char* text, size_t size) {
    static std::string line;
    for (const char *from = text, *end = text + size; from < end;) {
        auto* newline = static_cast<const char*>(std::memchr(from, '\n', end - from));
        const char* stop = newline ? newline + 1 : end;
        line.append(from, stop);
        // Whatever the line's encoding, every message is UTF-8.
        if (newline) expect(isValidUtf8(line), "a message that is not valid UTF-8");
        if (newline) readRunawayLine(line), line.clear();
        from = stop;
    }
    return static_cast<ssize_t>(size);
}

// The text with every edit the repair may make undone as far as it can be:
// no blanks, no 'i', 'O' and 'F' in lower case.
std::string skeleton(const std::string& text) {
    std::string kept;
    for (char c : text)
        if (c != ' ' && c != 'i') kept.push_back(c == 'O' ? 'o' : c == 'F' ? 'f' : c);
    return kept;
}

}  // namespace

// The program flushes after every diagnostic, and a word can print hundreds
// of thousands of them: a stream in memory saves a system call each.
void captureStandardOutput() {
    std::fflush(stdout);
    FILE* memory = fopencookie(nullptr, "w", {nullptr, keep, nullptr, nullptr});
    expect(memory != nullptr, "cannot make a stream in memory");
    stdout = memory;
}

void enterScratch() {
    if (!home[0]) {
        expect(getcwd(home, sizeof home) && mkdtemp(scratch), "cannot make a scratch folder");
        std::atexit([] {
            if (chdir(scratch) != 0) return;
            for (const char* name : {"input.srt", "output.srt", "words", "words2"})
                std::remove(name);
            if (chdir(home) == 0) rmdir(scratch);
        });
    }
    expect(chdir(scratch) == 0, "cannot enter the scratch folder");
}

void leaveScratch() {
    expect(chdir(home) == 0, "cannot leave the scratch folder");
}

void writeFile(const char* path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    expect(static_cast<bool>(out), "cannot write a scratch file");
}

std::string readFile(const char* path) {
    std::ostringstream bytes;
    bytes << std::ifstream(path, std::ios::binary).rdbuf();
    return bytes.str();
}

// Markup and links are copied as they stand, quote pairs in them too; a
// pair is merged only where both its bytes lie between them.
std::string mergeQuotePairs(const std::string& line) {
    std::string merged;
    size_t i = 0;
    auto mergeUpTo = [&](size_t end) {
        for (; i < end; ++i) {
            bool pair =
                i + 1 < end && line[i] == line[i + 1] && (line[i] == '\'' || line[i] == '`');
            merged.push_back(pair ? '"' : line[i]);
            i += pair;
        }
    };
    for (Span span : verbatimSpans(line, encodingOfLine(line))) {
        mergeUpTo(span.from);
        merged.append(line, span.from, span.to - span.from);
        i = span.to;
    }
    mergeUpTo(line.size());
    return merged;
}

RepairEdits compareRepair(const std::string& line, const std::string& result) {
    std::string merged = mergeQuotePairs(line);
    expect(result.find('\0') == std::string::npos, "a NUL in the result");
    expect(skeleton(result) == skeleton(merged),
           "the result differs from the line by more than blanks, i's and of-case");
    RepairEdits edits{countOf(result, " ") - countOf(merged, " "),
                      countOf(merged, "OF") - countOf(result, "OF")};
    int64_t iDropped = countOf(merged, "i") - countOf(result, "i");
    expect(edits.blanksAdded >= 0, "a blank was removed");
    expect(edits.lettersLowered >= 0, "a letter was raised to upper case");
    expect(iDropped >= 0, "an i was added");
    expect(iDropped == 0 || merged.find("ii") != std::string::npos,
           "an i was dropped from a line without \"ii\"");
    return edits;
}

void checkCounts(const RepairEdits& edits, int64_t fixedRise, int64_t ofTheRise) {
    std::fflush(stdout);
    expect(edits.blanksAdded <= fixedRise + runawayEdits.blanksAdded,
           "more blanks added than instances fixed");
    expect(edits.lettersLowered <= 2 * fixedRise + runawayEdits.lettersLowered,
           "letters lowered without an of-the");
    expect(ofTheRise <= fixedRise, "an of-the rewrite was not counted as fixed");
}
