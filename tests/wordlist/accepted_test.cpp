// The accepted forms are found whatever the case, form and encoding of the
// word, and no other word passes for one.
#include <gtest/gtest.h>

#include <string>

#include "wordlist/accepted.h"
#include "wordlist/characters.h"

namespace {

TEST(Accepted, FoundAsTheListIs) {
    setAcceptedWords("impostare\r\n\xc3\x89t\xc3\xa9\n\nStrasse\n");
    const struct {
        const char* word;
        Encoding encoding;
        bool accepted;
    } rows[] = {
        {"impostare", Encoding::ascii, true},
        {"IMPOSTARE", Encoding::ascii, true},
        {"imposta", Encoding::ascii, false},
        {"impostarei", Encoding::ascii, false},
        {"\xc3\xa9t\xc3\xa9", Encoding::utf8, true},
        {"e\xcc\x81te\xcc\x81", Encoding::utf8, true},  // with combining marks
        {"\xc9T\xc9", Encoding::windows1252, true},
        {"ete", Encoding::ascii, false},
        {"Stra\xc3\x9f"
         "e",
         Encoding::utf8, true},
        {"", Encoding::ascii, false},
    };
    for (const auto& row : rows) {
        lineEncoding = row.encoding;
        EXPECT_EQ(isAccepted(row.word, std::string(row.word).size()), row.accepted) << row.word;
    }
    clearAcceptedWords();
    EXPECT_FALSE(isAccepted("impostare", 9));
    lineEncoding = Encoding::ascii;
}

}  // namespace
