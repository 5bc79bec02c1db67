#include "driver/linereader.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace {

std::vector<std::string> readAll(const std::string& bytes, int64_t* linesCut = nullptr) {
    FILE* f = std::tmpfile();
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fflush(f);
    lseek(fileno(f), 0, SEEK_SET);
    auto in = std::make_unique<InputFile>();
    in->fd = fileno(f);
    std::vector<std::string> lines;
    std::string line;
    while (readLine(*in, line))
        lines.push_back(line);
    EXPECT_FALSE(readLine(*in, line));  // the end stays the end
    EXPECT_EQ(in->error, 0);
    if (linesCut) *linesCut = in->linesCut;
    std::fclose(f);
    return lines;
}

using Lines = std::vector<std::string>;

TEST(LineReader, LineEnds) {
    struct {
        const char* name;
        std::string bytes;
        Lines lines;
        int64_t linesCut = 0;
    } cases[] = {
        {"nothing", "", {}},
        {"lf", "a\nb\n", {"a", "b"}},
        {"crlf", "a\r\nb\r\n", {"a", "b"}},
        {"last_line_without_end", "a\nb", {"a", "b"}},
        {"empty_lines", "\n\r\n\n", {"", "", ""}},
        {"lone_cr_is_a_byte", "a\rb\n", {"a\rb"}},
        {"cr_at_end_of_input", "a\r", {"a\r"}},
        {"cr_cr_lf", "a\r\r\n", {"a\r"}},
        {"substitute_ends_input",
         "a\nb\x1a"
         "c\nd\n",
         {"a", "b"}},
        {"substitute_at_line_start",
         "a\n\x1a"
         "b\n",
         {"a"}},
        {"cr_before_substitute", "a\r\x1a", {"a\r"}},
        {"nul_ends_the_text", std::string("a\0b\n\0\n", 6), {"a", ""}, 2},
        {"nul_before_cr_lf", std::string("a\0\r\nb\n", 6), {"a", "b"}, 1},
        {"lone_cr_after_nul_skipped", std::string("a\0\rb\nc", 6), {"a", "c"}, 1},
        {"cr_before_nul_kept", std::string("a\r\0b\n", 5), {"a\r"}, 1},
        {"nul_alone_is_a_last_line", std::string(1, '\0'), {""}, 1},
    };
    for (const auto& c : cases) {
        int64_t cut = -1;
        EXPECT_EQ(readAll(c.bytes, &cut), c.lines) << c.name;
        EXPECT_EQ(cut, c.linesCut) << c.name;
    }
}

TEST(LineReader, NulsPastTheBufferAreSkipped) {
    // A line of NULs longer than the buffer, with its line end in a later read.
    std::string nuls(200000, '\0');
    int64_t cut = 0;
    EXPECT_EQ(readAll("x" + nuls + "y\r\nz" + nuls, &cut), (Lines{"x", "z"}));
    EXPECT_EQ(cut, 2);
}

TEST(LineReader, LinesLongerThanTheBuffer) {
    std::string longLine(200000, 'x');
    EXPECT_EQ(readAll(longLine + "\r\n" + "y"), (Lines{longLine, "y"}));
    // A CR LF split across two reads of the buffer is still one line end.
    std::string edge((1 << 16) - 1, 'z');
    EXPECT_EQ(readAll(edge + "\r\nq\n"), (Lines{edge, "q"}));
}

TEST(LineReader, DirectoryIsAReadError) {
    auto in = std::make_unique<InputFile>();
    in->fd = open(".", O_RDONLY);
    std::string line;
    EXPECT_FALSE(readLine(*in, line));
    EXPECT_NE(in->error, 0);
    close(in->fd);
}

}  // namespace
