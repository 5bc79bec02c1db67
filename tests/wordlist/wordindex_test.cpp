// The index grows when the second list joins the first: every word of both
// must be found afterwards, wherever the first list's words sat.
#include <gtest/gtest.h>

#include <string>

#include "support/testsupport.h"
#include "wordlist/lookup.h"

namespace {

std::string word(char initial, int number) {
    return std::string(1, initial).append(std::to_string(number));
}

TEST(WordIndex, GrowingForTheSecondListKeepsEveryWord) {
    for (int round = 0; round < 10; ++round) {
        std::string main, second, missed;
        for (int i = round * 1000; i < round * 1000 + 1000; ++i) {
            main.append(word('a', i)).append("\n");
            second.append(word('b', i)).append("\n");
        }
        loadTestDictionary(main, second.c_str());
        for (int i = round * 1000; i < round * 1000 + 1000; ++i)
            for (char initial : {'A', 'b'})
                if (!inDict(word(initial, i).c_str())) missed.append(word(initial, i)).append(" ");
        EXPECT_EQ(missed, "") << "round " << round;
    }
}

}  // namespace
