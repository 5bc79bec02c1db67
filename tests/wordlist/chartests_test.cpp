#include "wordlist/chartests.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(CharTests, SeparatorSetIsExactlyNineteenBytes) {
    const std::string expected = " ,!?.-:'\"$%#/`&()<>";
    int count = 0;
    for (int b = 0; b < 256; ++b) {
        char c = static_cast<char>(b);
        bool inSet = b != 0 && expected.find(c) != std::string::npos;
        EXPECT_EQ(isSeparator(c), inSet) << "byte " << b;
        count += isSeparator(c);
    }
    EXPECT_EQ(count, 19);
}

TEST(CharTests, DigitsAreExactlyZeroToNine) {
    for (int b = 0; b < 256; ++b)
        EXPECT_EQ(isDigitChar(static_cast<char>(b)), b >= '0' && b <= '9') << "byte " << b;
}

TEST(CharTests, AllDigits) {
    EXPECT_TRUE(isAllDigits(""));
    EXPECT_TRUE(isAllDigits("0123456789"));
    EXPECT_FALSE(isAllDigits("12a"));
    EXPECT_FALSE(isAllDigits("a12"));
    EXPECT_FALSE(isAllDigits("1/2"));
}

TEST(CharTests, UpperCasesOnlyAsciiSmallLetters) {
    for (int b = 0; b < 256; ++b) {
        char c = static_cast<char>(b);
        char expected = (b >= 'a' && b <= 'z') ? static_cast<char>(b - 32) : c;
        EXPECT_EQ(toUpperAscii(c), expected) << "byte " << b;
    }
}

TEST(CharTests, FindSubstring) {
    struct {
        const char* text;
        const char* pattern;
        int32_t at;
    } cases[] = {
        {"iii", "ii", 0}, {"bii", "ii", 1},   {"ii", "iii", -1}, {"abc", "", 0},  {"", "", 0},
        {"Ii", "ii", -1}, {"wiill", "ii", 1}, {"abab", "ab", 0}, {"xyz", "z", 2}, {"", "a", -1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(findSubstring(c.text, c.pattern), c.at) << c.text << " / " << c.pattern;
}

}  // namespace
