#include "fuzz/fuzzsupport.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <sstream>

#include "wordlist/dictionary.h"

void expect(bool ok, const char* what) {
    if (ok) return;
    std::fprintf(stderr, "invariant broken: %s\n", what);
    std::abort();
}

namespace {

const std::string runawayTail = "' over too many alternatives to list\n";

std::string& pendingLine() {
    static std::string line;
    return line;
}

// Only whole runaway lines are kept: a word within its budgets may print
// 100,000 lines of lookup diagnostics, which the checks have no use for.
ssize_t keep(void*, const char* text, size_t size) {
    std::string& line = pendingLine();
    const char* end = text + size;
    for (const char* from = text; from < end;) {
        auto* newline = static_cast<const char*>(std::memchr(from, '\n', end - from));
        const char* stop = newline ? newline + 1 : end;
        line.append(from, stop);
        if (newline) {
            if (line.size() >= runawayTail.size() &&
                line.compare(line.size() - runawayTail.size(), runawayTail.size(), runawayTail) ==
                    0)
                capturedOutput() += line;
            line.clear();
        }
        from = stop;
    }
    return static_cast<ssize_t>(size);
}

}  // namespace

std::string& capturedOutput() {
    static std::string text;
    return text;
}

// The program flushes after every diagnostic, and a word can print hundreds
// of thousands of them: a stream in memory saves a system call each.
void captureStandardOutput() {
    std::fflush(stdout);
    FILE* memory = fopencookie(nullptr, "w", {nullptr, keep, nullptr, nullptr});
    expect(memory != nullptr, "cannot make a stream in memory");
    stdout = memory;
}

void writeFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    expect(static_cast<bool>(out), "cannot write a scratch file");
}

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

void loadWordLists(const std::string& mainList, const char* secondList) {
    char scratch[] = "/tmp/unjam-fuzz-XXXXXX";
    expect(mkdtemp(scratch) != nullptr, "cannot make a scratch directory");
    char home[4096];
    expect(getcwd(home, sizeof home) != nullptr, "cannot read the working directory");
    expect(chdir(scratch) == 0, "cannot enter the scratch directory");
    writeFile("words", mainList);
    if (secondList) writeFile("words2", secondList);
    readDictionary();
    std::remove("words");
    std::remove("words2");
    expect(chdir(home) == 0, "cannot leave the scratch directory");
    rmdir(scratch);
}

std::string mergeQuotePairs(const std::string& line) {
    std::string merged;
    for (size_t i = 0; i < line.size(); ++i) {
        bool pair =
            i + 1 < line.size() && line[i] == line[i + 1] && (line[i] == '\'' || line[i] == '`');
        merged.push_back(pair ? '"' : line[i]);
        if (pair) ++i;
    }
    return merged;
}

namespace {

// The text with every edit the repair may make undone as far as it can be:
// no blanks, no 'i', 'O' and 'F' in lower case.
std::string skeleton(const std::string& text) {
    std::string kept;
    for (char c : text) {
        if (c == ' ' || c == 'i') continue;
        kept.push_back(c == 'O' ? 'o' : c == 'F' ? 'f' : c);
    }
    return kept;
}

int64_t countOf(const std::string& text, const char* bytes) {
    return std::count_if(text.begin(), text.end(),
                         [bytes](char c) { return std::strchr(bytes, c) && c != '\0'; });
}

}  // namespace

RepairEdits compareRepair(const std::string& line, const std::string& result) {
    std::string merged = mergeQuotePairs(line);
    expect(result.find('\0') == std::string::npos, "a NUL in the result");
    expect(skeleton(result) == skeleton(merged),
           "the result differs from the line by more than blanks, i's and of-case");
    RepairEdits edits{countOf(result, " ") - countOf(merged, " "),
                      countOf(merged, "OF") - countOf(result, "OF"),
                      countOf(merged, "i") - countOf(result, "i")};
    expect(edits.blanksAdded >= 0, "a blank was removed");
    expect(edits.lettersLowered >= 0, "a letter was raised to upper case");
    expect(edits.iDropped >= 0, "an i was added");
    expect(edits.iDropped == 0 || merged.find("ii") != std::string::npos,
           "an i was dropped from a line without \"ii\"");
    return edits;
}

RepairEdits runawayExtras(const std::string& output) {
    // "N: Ambiguous splitting of 'W': chose 'R' over too many alternatives to
    // list"; neither W nor R can hold an apostrophe, which ends a word.
    const std::string head = ": Ambiguous splitting of '", middle = "': chose '",
                      tail = "' over too many alternatives to list\n";
    RepairEdits extras{0, 0, 0};
    for (size_t end = output.find(tail); end != std::string::npos;
         end = output.find(tail, end + 1)) {
        size_t from = output.rfind(middle, end);
        size_t start = output.rfind(head, from);
        expect(from != std::string::npos && start != std::string::npos,
               "a runaway message without its word");
        std::string word = output.substr(start + head.size(), from - start - head.size());
        std::string result = output.substr(from + middle.size(), end - from - middle.size());
        extras.blanksAdded += countOf(result, " ") - 1;
        extras.lettersLowered += countOf(word, "OF") - countOf(result, "OF");
    }
    return extras;
}
