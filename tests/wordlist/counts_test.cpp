// A counts file is read as documented or refused with the line and the
// rule it breaks, and nothing of a refused file is kept.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <string_view>

#include "support/testsupport.h"
#include "wordlist/counts.h"
#include "wordlist/profile.h"

namespace {

TEST(WordCounts, RefusedWithLineAndRule) {
    loadTestDictionary("caf\xc3\xa9 la maison on", "Zorblax");
    using namespace std::literals;
    const struct {
        std::string_view text;
        const char* error;  // empty: read
    } rows[] = {
        {"la 5\nmaison 2\n", ""},
        {"# made by hand\n\nla\t5\r\nmaison 2\ron 3", ""},
        {"LA 5\nCAF\xc3\x89 1\nzorblax 2\n", ""},  // any case; words2 is listed too
        {"cafe\xcc\x81 4\n", ""},                  // a combining mark: the key is the same
        {"la 4294967295\n", ""},
        {"", "it holds no counts"},
        {"# only a comment\n", "it holds no counts"},
        {"la 0\n", "it holds no counts"},
        {"la 5\nmaison\n", "line 2: expected a word and its count"},
        {"la 5 6\n", "line 1: expected a word and its count"},
        {"la -5\n", "line 1: '-5' is not a count (a whole number from 0 to 4294967295)"},
        {"la five\n", "line 1: 'five' is not a count (a whole number from 0 to 4294967295)"},
        {"la 4294967296\n",
         "line 1: '4294967296' is not a count (a whole number from 0 to "
         "4294967295)"},
        {"la 18446744073709551617\n",  // 2^64 + 1: no wrapping round to 1
         "line 1: '18446744073709551617' is not a count (a whole number from 0 to 4294967295)"},
        {"la 99999999999999999999\n",
         "line 1: '99999999999999999999' is not a count (a whole number from 0 to 4294967295)"},
        {"la 5\nhouse 2\n", "line 2: 'house' is not a word of the list"},
        {"1st 5\n", "line 1: '1st' is not a word of the list"},
        {"la 5\n\nLa 2\n", "line 3: 'La' is counted twice (first on line 1)"},
        {"caf\xc3\xa9 1\ncafe\xcc\x81 4\n",
         "line 2: 'cafe\xcc\x81' is counted twice (first on line 1)"},
        {"la 5\rla 6\r", "line 2: 'la' is counted twice (first on line 1)"},
        {"caf\xe9 1\n", "line 1: not UTF-8"},
        {"\xff\xfel\0a\0 \0005\0\n\0"sv,
         "line 1: a control character (is the file text, in UTF-8?)"},
        {"la 5\x01\n", "line 1: a control character (is the file text, in UTF-8?)"},
    };
    for (const auto& row : rows) {
        std::string error;
        bool read = parseWordCounts(row.text, error);
        EXPECT_EQ(read ? "" : error, row.error) << row.text;
        EXPECT_EQ(choosesLikeliest(), read) << row.text;
    }
    clearWordCounts();
}

// The score that chooses a reading: common words beat rare ones, an
// uncounted word is rarest, and every piece costs.
TEST(WordCounts, ReadingScore) {
    loadTestDictionary("a am an man");
    std::string error;
    ASSERT_TRUE(parseWordCounts("a 1000\nman 100\nan 200\n", error)) << error;
    EXPECT_GT(readingScore("a man"), readingScore("am an"));
    EXPECT_GT(readingScore("man"), readingScore("a man"));
    EXPECT_GT(readingScore("an"), readingScore("am"));
    EXPECT_EQ(readingScore("MAN"), readingScore("man"));
    // Each word: ln(count + 0.5) less ln(all counted + 1) less 1.
    double logTotal = std::log(1000 + 100 + 200 + 1.0);
    EXPECT_DOUBLE_EQ(readingScore("a man"),
                     std::log(1000.5) - logTotal - 1 + std::log(100.5) - logTotal - 1);
    EXPECT_DOUBLE_EQ(readingScore("am"), std::log(0.5) - logTotal - 1);
    activeProfile.longestFirst = true;
    EXPECT_FALSE(choosesLikeliest());
    activeProfile = Profile();
    clearWordCounts();
}

}  // namespace
