// Reading lines by the text rules, case by case from a table.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "driver/linereader.h"

namespace {

using namespace std::string_literals;

// The lines of `bytes`, each followed by "|", and the count of lines a NUL cut.
std::string linesOf(const std::string& bytes, int64_t& cut) {
    FILE* f = std::tmpfile();
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::rewind(f);
    InputFile in;
    in.fd = fileno(f);
    std::string line, lines;
    while (readLine(in, line))
        lines += line + "|";
    std::fclose(f);
    cut = in.linesCut;
    return lines;
}

const std::string full(65535, 'x');  // a line that fills a read but for one byte

struct Case {
    std::string bytes, lines;
    int64_t cut = 0;
};

const std::vector<Case> cases = {
    {"", ""},
    {"a\nb", "a|b|"},
    {"a\r\nb\r\n\r\n", "a|b||"},
    {"a\r\r\nb\r\r\r\n", "a|b|"},
    // No LF: every CR ends a line, a run of them gives empty lines.
    {"a\rb\r\rc", "a|b||c|"},
    {"a\r\x1a\nb\n", "a|"},
    // With an LF anywhere, a CR that no LF follows is a byte of its line.
    {"a\rb\nc\r\rd\ne\r", "a\rb|c\r\rd|e\r|"},
    {full + "\r" + full + "\nb\n", full + "\r" + full + "|b|"},
    {full + "\r\r\nb\r", full + "|b\r|"},
    {"a\0b\r\nc\0\rd\n\0\n"s, "a|c||", 3},
    {"ab\x1a"
     "c\nd\n",
     "ab|"},
};

TEST(LineReader, ReadsEachCaseByTheTextRules) {
    for (const Case& c : cases) {
        int64_t cut;
        EXPECT_EQ(linesOf(c.bytes, cut), c.lines) << "input: " << testing::PrintToString(c.bytes);
        EXPECT_EQ(cut, c.cut) << "input: " << testing::PrintToString(c.bytes);
    }
}

}  // namespace
