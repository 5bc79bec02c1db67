// A word is a join of common words only when every piece is a listed word
// of two letters or more that the counts call common.
#include <gtest/gtest.h>

#include <string>

#include "support/testsupport.h"
#include "wordlist/commonwords.h"
#include "wordlist/counts.h"

namespace {

TEST(CommonWords, EveryPieceListedCommonAndLongerThanALetter) {
    loadTestDictionary(
        "a b\xc3\xa9"
        "b\xc3\xa9 chat dans la le les maison ta zor");
    std::string error;
    ASSERT_FALSE(readsAsCommonWords("dansla", Encoding::utf8));  // no counts: nothing is common
    ASSERT_TRUE(
        parseWordCounts("la 900\nle 800\na 700\ndans 500\nles 400\nmaison 300\nchat 200\n"
                        "b\xc3\xa9"
                        "b\xc3\xa9 100\nta 0\n",
                        error))
        << error;
    std::string laLa;  // 64 bytes of "la": still looked at; 66 are not
    for (int k = 0; k < 32; ++k)
        laLa += "la";
    const struct {
        std::string word;
        bool join;
        Encoding encoding = Encoding::utf8;
    } rows[] = {
        {"dansla", true},
        {"lamaison", true},
        {"lechatdansla", true},
        {"Lamaison", true},
        {"zorla", false},
        {"lazor", false},
        {"dansa", false},
        {"adans", false},
        {"latale", false},
        {"dans", false},
        {"la", false},
        {"l", false},
        {"", false},
        {laLa, true},
        {laLa + "la", false},
        // Cut between characters only; 64 bytes are looked at, 65 are not.
        {"b\xc3\xa9"
         "b\xc3\xa9"
         "la",
         true},
        {"lesles" + laLa.substr(6), true},
        {"les" + laLa.substr(2), false},
        // A line in Windows-1252: one byte a character.
        {"b\xe9"
         "b\xe9"
         "la",
         true, Encoding::windows1252},
        {"b\xe9"
         "b\xe9"
         "la",
         false},
    };
    for (const auto& row : rows)
        EXPECT_EQ(readsAsCommonWords(row.word, row.encoding), row.join) << row.word;
    clearWordCounts();
}

}  // namespace
