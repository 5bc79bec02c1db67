// Reading lines by the text rules, case by case from a table.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "driver/linereader.h"

namespace {

using namespace std::string_literals;

// The lines of `bytes`, each followed by "|"; the reader, as they leave it.
std::string linesOf(const std::string& bytes, InputFile& in) {
    FILE* f = std::tmpfile();
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::rewind(f);
    in.fd = fileno(f);
    std::string line, lines;
    while (readLine(in, line))
        lines += line + "|";
    std::fclose(f);
    return lines;
}

const std::string full(65535, 'x');  // a line that fills a read but for one byte

struct Case {
    std::string bytes, lines;
    int64_t cut = 0;
    int64_t endLine = 0, unread = 0;  // where a 0x1A ended text, and the bytes after it
};

const std::vector<Case> cases = {
    {"", ""},
    {"a\nb", "a|b|"},
    {"a\r\nb\r\n\r\n", "a|b||"},
    {"a\r\r\nb\r\r\r\n", "a|b|"},
    // No LF: every CR ends a line, a run of them gives empty lines.
    {"a\rb\r\rc", "a|b||c|"},
    {"a\r\x1a\nb\n", "a|", 0, 2, 3},
    // With an LF anywhere, a CR that no LF follows is a byte of its line.
    {"a\rb\nc\r\rd\ne\r", "a\rb|c\r\rd|e\r|"},
    {full + "\r" + full + "\nb\n", full + "\r" + full + "|b|"},
    {full + "\r\r\nb\r", full + "|b\r|"},
    {"a\0b\r\nc\0\rd\n\0\n"s, "a|c||", 3},
    {"ab\x1a"
     "c\nd\n",
     "ab|", 0, 1, 4},
    // 0x1A bytes to the end are the padding of old editors, no text lost.
    {"a\n\x1a\x1a\x1a", "a|"},
    {"a\0b\x1a\x1a"s + full, "a|", 1, 1, 65536},
};

TEST(LineReader, ReadsEachCaseByTheTextRules) {
    for (const Case& c : cases) {
        InputFile in;
        EXPECT_EQ(linesOf(c.bytes, in), c.lines) << "input: " << testing::PrintToString(c.bytes);
        EXPECT_EQ(in.linesCut, c.cut) << "input: " << testing::PrintToString(c.bytes);
        EXPECT_EQ(in.endOfTextLine, c.endLine) << "input: " << testing::PrintToString(c.bytes);
        EXPECT_EQ(in.bytesAfterEnd, c.unread) << "input: " << testing::PrintToString(c.bytes);
    }
}

}  // namespace
