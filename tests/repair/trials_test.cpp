// The remembered search against the literal one: on random small word lists
// and random words, a trial gives the same result, the same fixed flag and
// leaves the same bytes in the text it was handed, whether its trials run
// literally or are remembered by the content of their text.
#include "repair/trials.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <ostream>
#include <random>
#include <string>
#include <vector>

#include "repair/counters.h"
#include "support/testdictionary.h"

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

// Everything a trial leaves behind.
struct TrialRun {
    std::string result;
    bool fixed;
    std::string bytes;  // the whole handed buffer afterwards, NULs and all
    std::string lines;
    int64_t fixedRise;
    int64_t ofTheRise;
    int64_t trials;
};

bool operator==(const TrialRun& a, const TrialRun& b) {
    return a.result == b.result && a.fixed == b.fixed && a.bytes == b.bytes && a.lines == b.lines &&
           a.fixedRise == b.fixedRise && a.ofTheRise == b.ofTheRise && a.trials == b.trials;
}

std::ostream& operator<<(std::ostream& out, const TrialRun& r) {
    return out << "result '" << r.result << "' fixed " << r.fixed << " lines '" << r.lines
               << "' fixed +" << r.fixedRise << " of-the +" << r.ofTheRise << " trials "
               << r.trials;
}

TrialRun trialOn(const std::string& word, bool remembered) {
    std::string buffer = word + std::string(1, '\0') + "tail";
    TrialRun run;
    int64_t fixedBefore = fixedCount, ofTheBefore = ofTheCount;
    int64_t literalBefore = literalTrialsRun();
    SearchSize size{0, 0};
    testing::internal::CaptureStdout();
    if (remembered) {
        beginRememberedSearch();
        run.result = runTrial(buffer.data(), run.fixed);
        size = endRememberedSearch();
        run.trials = size.trials;
        showRememberedLines();
    } else {
        run.result = runTrial(buffer.data(), run.fixed);
        run.trials = literalTrialsRun() - literalBefore;
    }
    run.lines = testing::internal::GetCapturedStdout();
    // The lines that the remembered search counted are the lines it showed.
    if (remembered) {
        EXPECT_EQ(size.lines, std::count(run.lines.begin(), run.lines.end(), '\n'));
    }
    run.fixedRise = fixedCount - fixedBefore;
    run.ofTheRise = ofTheCount - ofTheBefore;
    run.bytes = buffer;
    return run;
}

TEST(RememberedTrials, MatchLiteralTrialsOnRandomWords) {
    std::mt19937 rng(7771);
    int rewritten = 0, fixedRuns = 0, withLines = 0, compared = 0;
    lineNumber = 7;
    for (int list = 0; list < 150; ++list) {
        std::vector<std::string> words = randomWordList(rng);
        loadTestDictionary(joined(words));
        for (int w = 0; w < 40; ++w) {
            std::string word = randomWord(rng, words);
            TrialRun literal = trialOn(word, false);
            TrialRun remembered = trialOn(word, true);
            ASSERT_EQ(remembered, literal) << word;
            ++compared;
            rewritten += literal.bytes.compare(0, word.size(), word) != 0;
            fixedRuns += literal.fixed;
            withLines += !literal.lines.empty();
        }
    }
    // The comparison is only worth something if the interesting cases occur.
    EXPECT_GT(rewritten, compared / 50);
    EXPECT_GT(fixedRuns, compared / 10);
    EXPECT_GT(withLines, compared / 10);
}

// A piece met again is replayed: its rewrite, its lines and its counts.
TEST(RememberedTrials, RepeatedPieceIsReplayed) {
    loadTestDictionary("it is");
    lineNumber = 3;
    std::string first = std::string("iitis") + '\0', second = first;
    bool fixed;
    int64_t fixedBefore = fixedCount;
    testing::internal::CaptureStdout();
    beginRememberedSearch();
    runTrial(first.data(), fixed);
    std::string result = runTrial(second.data(), fixed);
    EXPECT_EQ(endRememberedSearch().trials, 4);  // each: the trial and one on "itis"
    showRememberedLines();
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "3: Truncated 'ii' in 'iitis' to 'it is'\n"
              "3: Truncated 'ii' in 'iitis' to 'it is'\n");
    EXPECT_EQ(result, "it is");
    EXPECT_TRUE(fixed == false);
    EXPECT_EQ(second, first);
    EXPECT_EQ(second, std::string("it is\0", 6));
    EXPECT_EQ(fixedCount - fixedBefore, 2);
}

}  // namespace
