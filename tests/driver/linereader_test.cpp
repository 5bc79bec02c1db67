#include "driver/linereader.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace {

std::vector<std::string> readAll(const std::string& bytes) {
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
    std::fclose(f);
    return lines;
}

using Lines = std::vector<std::string>;

TEST(LineReader, LineEnds) {
    struct {
        const char* name;
        std::string bytes;
        Lines lines;
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
        {"nul_kept_for_the_caller",
         std::string("a\0b\n\0\n", 6),
         {std::string("a\0b", 3), std::string(1, '\0')}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(readAll(c.bytes), c.lines) << c.name;
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
