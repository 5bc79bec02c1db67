// The remembered search against the literal one: on random small word lists
// and random words, a trial leaves the same result, fixed flag, bytes in its
// text, lines, counts and trial count, whether its trials run literally or
// are remembered by the content of their text.
#include "repair/trials.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <random>
#include <string>
#include <tuple>
#include <vector>

#include "repair/counters.h"
#include "support/testsupport.h"

namespace {

// Few letters, so that listed pieces, "oft" and "ii" (and with them of-the
// and doubled-i rewrites inside trials) come up often.
std::string randomText(std::mt19937& rng, size_t minLength, size_t maxLength) {
    static const char letters[] = "aiiofthI";
    std::string text(minLength + rng() % (maxLength - minLength + 1), ' ');
    for (char& c : text)
        c = letters[rng() % (sizeof letters - 1)];
    return text;
}

// Mostly listed words run together, with an i doubled here and there.
std::string randomWord(std::mt19937& rng, const std::vector<std::string>& words) {
    if (rng() % 4 == 0) return randomText(rng, 2, 13);
    std::string word;
    while (word.size() < 3 + rng() % 9)
        word += words[rng() % words.size()];
    for (size_t i = 0; i < word.size(); ++i)
        if (word[i] == 'i' && rng() % 2) word.insert(i++, 1, 'i');
    return word.substr(0, 14);
}

// Everything a trial leaves behind; bytes: the whole handed buffer, NULs and
// all; lineCount: for a remembered search, the lines that it counted.
struct TrialRun {
    std::string result, bytes, lines;
    bool fixed;
    int64_t fixedRise, ofTheRise, trials, lineCount;
    auto tie() const {
        return std::tie(result, bytes, lines, fixed, fixedRise, ofTheRise, trials, lineCount);
    }
};

TrialRun trialOn(const std::string& word, bool remembered) {
    std::string buffer = word + std::string(1, '\0') + "tail";
    TrialRun run;
    int64_t fixedBefore = fixedCount, ofTheBefore = ofTheCount, literal = literalTrialsRun();
    testing::internal::CaptureStdout();
    if (remembered) beginRememberedSearch();
    run.result = runTrial(buffer.data(), run.fixed);
    SearchSize size = remembered ? endRememberedSearch() : SearchSize{0, 0};
    if (remembered) showRememberedLines();
    run.lines = testing::internal::GetCapturedStdout();
    run.trials = remembered ? size.trials : literalTrialsRun() - literal;
    run.lineCount = remembered ? size.lines : std::count(run.lines.begin(), run.lines.end(), '\n');
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
        std::vector<std::string> words(4 + rng() % 14);
        for (std::string& w : words)
            w = randomText(rng, 1, 4);
        std::sort(words.begin(), words.end(), [](const std::string& a, const std::string& b) {
            return std::tolower(a[0]) < std::tolower(b[0]);
        });
        std::string text;
        for (const auto& w : words)
            text += w + '\n';
        loadTestDictionary(text);
        for (int w = 0; w < 40; ++w, ++compared) {
            std::string word = randomWord(rng, words);
            TrialRun literal = trialOn(word, false), remembered = trialOn(word, true);
            ASSERT_EQ(remembered.tie(), literal.tie())
                << word << ": '" << literal.result << "' '" << literal.lines << "'";
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

}  // namespace
