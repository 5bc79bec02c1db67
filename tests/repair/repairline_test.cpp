// The walk over a line: what counts as a word, what is copied, and the
// doubled-quote rule. The word list is small and every word in these lines
// is listed, so only the walk can change anything.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "repair/repairline.h"
#include "support/testdictionary.h"

namespace {

struct WalkCase {
    const char* name;
    const char* line;
    const char* result;
    const char* lineAfter;  // the caller's text after the call
};

const WalkCase walkCases[] = {
    {"empty", "", "", ""},
    {"separators_and_digits_copied", "12, 34! (#5) $6% <7/8> &", "12, 34! (#5) $6% <7/8> &",
     "12, 34! (#5) $6% <7/8> &"},
    {"two_apostrophes", "''", "\"", "'\""},
    {"two_graves", "``", "\"", "`\""},
    {"three_apostrophes", "'''", "\"'", "'\"'"},
    {"four_apostrophes", "''''", "\"\"", "'\"'\""},
    {"apostrophe_grave_no_pair", "'`", "'`", "'`"},
    {"pair_at_line_start", "''go''", "\"go\"", "'\"go'\""},
    {"pair_behind_one_byte_word", "I''", "I\"", "I'\""},
    {"apostrophe_at_end_reads_nul", "go'", "go'", "go'"},
    {"one_byte_words_untouched", "I a x ; [", "I a x ; [", "I a x ; ["},
    {"listed_words_with_digits", "go2go 7go", "go2go 7go", "go2go 7go"},
    {"word_at_end", "go, go", "go, go", "go, go"},
};

class Walk : public testing::TestWithParam<WalkCase> {};

TEST_P(Walk, CopiesAndMerges) {
    const WalkCase& c = GetParam();
    loadTestDictionary("go");
    std::string line = c.line;
    bool fixed = true;
    testing::internal::CaptureStdout();
    std::string result = repairLine(line.data(), fixed, true);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_EQ(result, c.result);
    EXPECT_EQ(line, c.lineAfter);  // no NUL left behind a word
    EXPECT_FALSE(fixed);
}

INSTANTIATE_TEST_SUITE_P(Table, Walk, testing::ValuesIn(walkCases),
                         [](const auto& info) { return std::string(info.param.name); });

// Only the text before the first NUL is the line.
TEST(WalkLength, StopsAtFirstNul) {
    loadTestDictionary("go");
    char line[] = "go\0zzzz";
    bool fixed;
    EXPECT_EQ(repairLine(line, fixed, true), "go");
    EXPECT_EQ(std::memcmp(line, "go\0zzzz", 8), 0);
}

}  // namespace
