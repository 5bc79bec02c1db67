// The lookup against the letter-range scan that the hash index replaces, on
// random word lists (grouped or not, mixed case, duplicates, odd initials,
// zero bytes, one list or two) and random queries: same answers, same
// diagnostics, the same for every prefix at once, and the same count of
// words that the order of the list loses.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "support/testsupport.h"
#include "wordlist/dictionary.h"
#include "wordlist/grouping.h"
#include "wordlist/lookup.h"

namespace {

char fold(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 0x20) : c;
}

bool isLetter(char c) {
    return fold(c) >= 'a' && fold(c) <= 'z';
}

bool scanRange(int32_t begin, int32_t end, const std::string& word) {
    for (int32_t i = begin; i < end; ++i)
        if (static_cast<size_t>(dictLengths[i]) == word.size() &&
            std::equal(word.begin(), word.end(), dictWords[i].begin(),
                       [](char a, char b) { return fold(a) == fold(b); }))
            return true;
    return false;
}

// The lookup as first written: the initial's range of the main list, then
// the whole second list.
bool referenceLookup(const std::string& word, std::string& output) {
    if (word.empty() || !isLetter(word[0])) {
        output += "inDict got symbol '" + word + "'\n";
        return false;
    }
    int letter = fold(word[0]) - 'a';
    return scanRange(letterStart[letter], letterStart[letter + 1], word) ||
           scanRange(letterStart[26], letterStart[27], word);
}

// Small alphabets make hits, near misses and duplicates common.
std::string randomWord(std::mt19937& rng, bool allowZero, size_t maxLength) {
    static const char bytes[] = {'a', 'b', 'A', 'B', 'z', 'Z', 'q', '\'', '[', '\xe9', '\0'};
    std::string w(1 + rng() % maxLength, ' ');
    for (char& c : w)
        c = bytes[rng() % (sizeof bytes - (allowZero ? 0 : 1))];
    return w;
}

// Words separated by any white space, grouped by initial or not, and the
// queries that find them: each word up to a zero byte, case flipped at random.
std::string randomList(std::mt19937& rng, size_t count, bool grouped,
                       std::vector<std::string>& queries) {
    std::vector<std::string> words(count);
    for (std::string& w : words)
        w = randomWord(rng, true, 4);
    if (grouped)
        std::stable_sort(
            words.begin(), words.end(),
            [](const std::string& a, const std::string& b) { return fold(a[0]) < fold(b[0]); });
    static const char* const spaces[] = {" ", "\n", "\t", "\r\n", "  "};
    std::string text;
    for (const std::string& w : words) {
        text += w + spaces[rng() % 5];
        std::string q = w.substr(0, w.find('\0'));
        for (char& c : q)
            if (isLetter(c) && rng() % 2) c ^= 0x20;
        queries.push_back(q);
    }
    return text;
}

TEST(WordIndex, AnswersAsTheRangeScanOnRandomLists) {
    std::mt19937 rng(20240601);
    for (int round = 0; round < 400; ++round) {
        std::vector<std::string> queries{""};
        size_t count = rng() % 40;
        bool grouped = rng() % 2;
        std::string main = randomList(rng, count, grouped, queries);
        bool hasSecond = rng() % 3 != 0;
        std::string second = randomList(rng, hasSecond ? rng() % 20 : 0, false, queries);
        testing::internal::CaptureStderr();  // the warning about lost words
        loadTestDictionary(main, hasSecond ? second.c_str() : nullptr);
        testing::internal::GetCapturedStderr();
        // Lost to the order: a main-list word that a lookup could find (a
        // letter initial, no zero byte) but no scan of its initial's range finds.
        int32_t lost = 0;
        for (int32_t i = 0; i < letterStart[26]; ++i) {
            std::string w(dictWords[i]);
            int letter = fold(w[0]) - 'a';
            lost += isLetter(w[0]) && w.find('\0') == std::string::npos &&
                    !scanRange(letterStart[letter], letterStart[letter + 1], w);
        }
        EXPECT_EQ(lostWordCount, lost) << "round " << round;
        for (int i = 0; i < 60; ++i)
            queries.push_back(randomWord(rng, false, 5));

        // Standard output is captured, so mismatches are gathered first.
        std::string expectedOutput, wrong;
        testing::internal::CaptureStdout();
        for (const auto& q : queries) {
            if (inDict(q.c_str()) != referenceLookup(q, expectedOutput)) wrong += q + "|";
            if (q.empty() || !isLetter(q[0])) continue;
            bool listed[6];  // every left piece at once, as each would be answered alone
            inDictPrefixes(q.c_str(), q.size(), listed);
            for (size_t p = 1; p <= q.size(); ++p) {
                std::string ignored;
                if (listed[p] != referenceLookup(q.substr(0, p), ignored))
                    wrong += q + "<" + q[p - 1];
            }
        }
        EXPECT_EQ(testing::internal::GetCapturedStdout(), expectedOutput) << "round " << round;
        ASSERT_EQ(wrong, "") << "round " << round;
    }
}

}  // namespace
