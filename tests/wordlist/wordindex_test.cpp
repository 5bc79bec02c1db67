// The index against the letter-range scan that it replaces, on random word
// lists (grouped or not, mixed case, duplicates, odd initials, zero bytes,
// both lists) and random queries: same answers, same diagnostics.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "support/testdictionary.h"
#include "wordlist/dictionary.h"
#include "wordlist/grouping.h"
#include "wordlist/lookup.h"
#include "wordlist/wordindex.h"

namespace {

char fold(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 0x20) : c;
}

bool isLetter(char c) {
    c = fold(c);
    return c >= 'a' && c <= 'z';
}

bool scanRange(int32_t begin, int32_t end, const std::string& word) {
    for (int32_t i = begin; i < end; ++i) {
        if (static_cast<size_t>(dictLengths[i]) != word.size()) continue;
        bool same = true;
        for (size_t k = 0; k < word.size() && same; ++k)
            same = fold(dictWords[i][k]) == fold(word[k]);
        if (same) return true;
    }
    return false;
}

// The lookup as first written: scan the initial's range of the main list,
// then the whole second list.
bool referenceLookup(const std::string& word, std::string& output) {
    if (word.empty() || !isLetter(word[0])) {
        output += "inDict got symbol '" + word + "'\n";
        return false;
    }
    int letter = fold(word[0]) - 'a';
    return scanRange(letterStart[letter], letterStart[letter + 1], word) ||
           scanRange(letterStart[26], letterStart[27], word);
}

bool fitsPrefixTest(const std::string& q) {
    return isLetter(q[0]) && q.size() < 16;
}

// Small alphabets make hits, near misses and duplicates common.
const char wordBytes[] = {'a', 'b', 'A', 'B', 'z', 'Z', 'q', '\'', '[', '\xe9', '\0'};

std::string randomWord(std::mt19937& rng, bool allowZero, size_t maxLength) {
    size_t length = 1 + rng() % maxLength;
    std::string w;
    size_t choices = sizeof wordBytes - (allowZero ? 0 : 1);
    for (size_t i = 0; i < length; ++i)
        w += wordBytes[rng() % choices];
    return w;
}

std::string flipCase(std::string w, std::mt19937& rng) {
    for (char& c : w)
        if (isLetter(c) && rng() % 2) c ^= 0x20;
    return w;
}

std::string joined(const std::vector<std::string>& words, std::mt19937& rng) {
    std::string text;
    const char* spaces[] = {" ", "\n", "\t", "\r\n", "  "};
    for (const auto& w : words)
        text += w + spaces[rng() % 5];
    return text;
}

// A main list that is grouped by initial, or runs of letters in any order.
std::vector<std::string> randomMainList(std::mt19937& rng) {
    std::vector<std::string> words;
    size_t count = rng() % 40;
    for (size_t i = 0; i < count; ++i)
        words.push_back(randomWord(rng, true, 4));
    if (rng() % 2)
        std::stable_sort(
            words.begin(), words.end(),
            [](const std::string& a, const std::string& b) { return fold(a[0]) < fold(b[0]); });
    return words;
}

TEST(WordIndex, AnswersAsTheRangeScanOnRandomLists) {
    std::mt19937 rng(20240601);
    for (int round = 0; round < 400; ++round) {
        std::vector<std::string> main = randomMainList(rng);
        std::vector<std::string> second;
        bool hasSecond = rng() % 3 != 0;
        if (hasSecond)
            for (size_t i = rng() % 20; i > 0; --i)
                second.push_back(randomWord(rng, true, 4));
        std::string secondText = joined(second, rng);
        testing::internal::CaptureStderr();  // the warning about lost words
        loadTestDictionary(joined(main, rng), hasSecond ? secondText.c_str() : nullptr);
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

        std::vector<std::string> queries;
        for (const auto& w : main)
            queries.push_back(flipCase(w.substr(0, w.find('\0')), rng));
        for (const auto& w : second)
            queries.push_back(flipCase(w.substr(0, w.find('\0')), rng));
        for (int i = 0; i < 60; ++i)
            queries.push_back(randomWord(rng, false, 5));
        queries.push_back("");

        // Standard output is captured, so mismatches are gathered first.
        std::string expectedOutput, wrongAnswers;
        testing::internal::CaptureStdout();
        for (const auto& q : queries)
            if (inDict(q.c_str()) != referenceLookup(q, expectedOutput)) wrongAnswers += q + "|";
        EXPECT_EQ(testing::internal::GetCapturedStdout(), expectedOutput) << "round " << round;
        ASSERT_EQ(wrongAnswers, "") << "round " << round;

        // All left pieces of a word at once, as each would be answered alone.
        for (const auto& q : queries) {
            if (q.empty() || !fitsPrefixTest(q)) continue;
            bool flags[16];
            inDictPrefixes(q.c_str(), q.size(), flags);
            for (size_t p = 1; p <= q.size(); ++p) {
                std::string ignored;
                ASSERT_EQ(flags[p], referenceLookup(q.substr(0, p), ignored))
                    << "round " << round << " prefix " << p << " of '" << q << "'";
            }
        }
    }
}

TEST(WordIndex, UnorderedMainListKeepsOnlyTheLastRunOfALetter) {
    loadTestDictionary("bee apple bat", "");
    EXPECT_FALSE(inDict("bee"));
    EXPECT_TRUE(inDict("apple"));
    EXPECT_TRUE(inDict("BAT"));
    loadTestDictionary("bee apple bat", "bee");
    EXPECT_TRUE(inDict("bee"));  // the second list is searched whole
}

TEST(WordIndex, WordsHoldingAZeroByteAreNeverFound) {
    loadTestDictionary(std::string("ab\0cd ab", 8));
    EXPECT_TRUE(inDict("ab"));
    EXPECT_FALSE(inDict("abcd"));
    EXPECT_EQ(longestIndexedWord(), 2u);
}

TEST(WordIndex, LongestWordCountsOnlyFindableWords) {
    loadTestDictionary("go [longerthanall]", "lengthy");
    EXPECT_EQ(longestIndexedWord(), 7u);
    loadTestDictionary("go");
    EXPECT_EQ(longestIndexedWord(), 2u);
}

TEST(WordIndex, GrowsPastItsFirstSize) {
    std::string words;
    for (int i = 0; i < 5000; ++i)
        words += 'w' + std::to_string(i) + ' ';
    loadTestDictionary(words, "Extra");
    for (int i = 0; i < 5000; i += 7)
        EXPECT_TRUE(inDict(std::string(1, 'W').append(std::to_string(i)).c_str())) << i;
    EXPECT_FALSE(inDict("w5000"));
    EXPECT_TRUE(inDict("extra"));
}

TEST(WordIndex, FreedListFindsNothing) {
    loadTestDictionary("apple");
    freeDictionary();
    EXPECT_FALSE(inDict("apple"));
}

}  // namespace
