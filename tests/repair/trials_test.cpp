// The remembered search against the literal one: on random small word lists
// and random words, a trial gives the same result, the same fixed flag and
// leaves the same bytes in the text it was handed, whether its trials run
// literally or are remembered by the content of their text.
#include "repair/trials.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <random>
#include <string>
#include <vector>

#include "support/testdictionary.h"
#include "wordlist/diagnostics.h"

namespace {

// Few letters, so that listed pieces, "oft" and "ii" (and with them of-the
// rewrites and doubled-i rewrites inside trials) come up often.
const char letters[] = "aiiofthI";

std::string randomText(std::mt19937& rng, size_t minLength, size_t maxLength) {
    size_t length = minLength + rng() % (maxLength - minLength + 1);
    std::string text;
    for (size_t i = 0; i < length; ++i)
        text += letters[rng() % (sizeof letters - 1)];
    return text;
}

std::vector<std::string> randomWordList(std::mt19937& rng) {
    std::vector<std::string> words;
    for (size_t i = 4 + rng() % 14; i > 0; --i)
        words.push_back(randomText(rng, 1, 4));
    std::sort(words.begin(), words.end(), [](const std::string& a, const std::string& b) {
        return std::tolower(a[0]) < std::tolower(b[0]);
    });
    return words;
}

std::string joined(const std::vector<std::string>& words) {
    std::string text;
    for (const auto& w : words)
        text += w + '\n';
    return text;
}

// Mostly listed words run together, with an i doubled here and there, so
// that splits and doubled-i rewrites deep inside trials are common.
std::string randomWord(std::mt19937& rng, const std::vector<std::string>& words) {
    if (rng() % 4 == 0) return randomText(rng, 2, 13);
    std::string word;
    while (word.size() < 3 + rng() % 9)
        word += words[rng() % words.size()];
    for (size_t i = 0; i < word.size(); ++i)
        if (word[i] == 'i' && rng() % 2) word.insert(i++, 1, 'i');
    return word.substr(0, 14);
}

struct TrialRun {
    std::string result;
    bool fixed;
    std::string bytes;  // the whole handed buffer afterwards, NULs and all
};

TrialRun trialOn(const std::string& word) {
    std::string buffer = word + std::string(1, '\0') + "tail";
    TrialRun run;
    run.result = runTrial(buffer.data(), run.fixed);
    run.bytes = buffer;
    return run;
}

TEST(RememberedTrials, MatchLiteralTrialsOnRandomWords) {
    std::mt19937 rng(7771);
    int rewritten = 0, fixedRuns = 0, compared = 0;
    dropDiagnostics();
    for (int list = 0; list < 300; ++list) {
        std::vector<std::string> words = randomWordList(rng);
        loadTestDictionary(joined(words));
        for (int w = 0; w < 40; ++w) {
            std::string word = randomWord(rng, words);
            TrialRun literal = trialOn(word);
            startRememberingTrials();
            TrialRun remembered = trialOn(word);
            stopRememberingTrials();
            ASSERT_EQ(remembered.result, literal.result) << word;
            ASSERT_EQ(remembered.fixed, literal.fixed) << word;
            ASSERT_EQ(remembered.bytes, literal.bytes) << word;
            ++compared;
            rewritten += literal.bytes.compare(0, word.size(), word) != 0;
            fixedRuns += literal.fixed;
        }
    }
    printDiagnostics();
    // The comparison is only worth something if the interesting cases occur.
    EXPECT_GT(rewritten, compared / 50);
    EXPECT_GT(fixedRuns, compared / 10);
}

// A piece met again later is answered from memory, with its rewrite.
TEST(RememberedTrials, RepeatedPieceKeepsItsRewrite) {
    loadTestDictionary("will");
    dropDiagnostics();
    startRememberingTrials();
    TrialRun first = trialOn("wiill");
    TrialRun second = trialOn("wiill");
    stopRememberingTrials();
    printDiagnostics();
    EXPECT_EQ(first.result, "will");
    EXPECT_EQ(second.bytes, first.bytes);
    EXPECT_EQ(second.bytes, std::string("will\0\0tail", 10));
}

}  // namespace
