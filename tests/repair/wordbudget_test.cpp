// The trial budget of a word handed over by the top-level walk: words within
// it keep every message and count; a runaway word gets the full search's
// result and one line. "haha..." with ha and haha listed is the classic
// runaway: its trial count follows a recurrence that the test computes on
// its own, so the budget's edge can be found exactly.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "repair/counters.h"
#include "repair/repairline.h"
#include "repair/repairword.h"
#include "repair/trials.h"
#include "support/repaircapture.h"
#include "support/testdictionary.h"

namespace {

std::string has(int count) {
    std::string text;
    for (int i = 0; i < count; ++i)
        text += "ha";
    return text;
}

// For m >= 3 "ha"s, only the left pieces "haha" and "ha" are listed; a right
// piece of one or two "ha"s is listed, a longer one starts a trial.
int64_t trialsFor(int m) {
    int64_t trials = 0;
    for (int right : {m - 2, m - 1})
        if (right >= 3) trials += 1 + trialsFor(right);
    return trials;
}

// One first split per search, the word's own and each trial's.
int64_t firstSplitsFor(int m) {
    int64_t splits = 1;
    for (int right : {m - 2, m - 1})
        if (right >= 3) splits += firstSplitsFor(right);
    return splits;
}

// The longest left piece wins: "haha" then the repaired rest.
std::string resultFor(int m) {
    if (m <= 2) return has(m);
    return "haha " + resultFor(m - 2);
}

int lastWithinBudget() {
    int m = 3;
    while (trialsFor(m + 1) <= trialBudget)
        ++m;
    return m;
}

Repair repair(const std::string& line) {
    return repairCaptured(line);
}

TEST(TrialBudget, LastWordWithinBudgetKeepsEveryMessageAndCount) {
    loadTestDictionary("ha haha");
    int m = lastWithinBudget();
    ASSERT_GT(trialsFor(m + 1), trialBudget);
    Repair r = repair(has(m));
    EXPECT_EQ(r.result, resultFor(m));
    EXPECT_EQ(r.fixedRise, firstSplitsFor(m));
    EXPECT_EQ(r.messages.find("too many alternatives"), std::string::npos);
    // Every search of three or more "ha"s reports its one alternative; the
    // word's own comes last, after those of its trials.
    std::string own = "42: Ambiguous splitting of '" + has(m) + "': chose '" + resultFor(m) +
                      "' over 'ha " + resultFor(m - 1) + "'\n";
    ASSERT_GE(r.messages.size(), own.size());
    EXPECT_EQ(r.messages.substr(r.messages.size() - own.size()), own);
    size_t lines = 0;
    for (char c : r.messages)
        lines += c == '\n';
    EXPECT_EQ(static_cast<int64_t>(lines), firstSplitsFor(m));
}

TEST(TrialBudget, FirstWordPastBudgetRunsAway) {
    loadTestDictionary("ha haha");
    int m = lastWithinBudget() + 1;
    Repair r = repair(has(m));
    EXPECT_EQ(r.result, resultFor(m));
    EXPECT_EQ(r.messages, "42: Ambiguous splitting of '" + has(m) + "': chose '" + resultFor(m) +
                              "' over too many alternatives to list\n");
    EXPECT_EQ(r.fixedRise, 1);
    EXPECT_TRUE(r.fixed);
}

// "q", 20 "ha" and S = "[xxxxxx[": the left pieces "q..." leave 20, 11 and 7
// "ha"s before S, and the search of j "ha"s before S meets S F(j+1) times
// (Fibonacci: "ha" and "haha" lead on). Each meeting prints 9 lines: the
// lookup of S, then its trial's lookups of S and of its 7 left pieces. With
// the not-found line: 9 * (10946 + 144 + 21) + 1 = 100,000 lines. Listing
// the left piece before S's last byte adds one line, the lookup of "[".
TEST(LineBudget, WordPrintingTheMostLinesKeepsThemOneMoreRunsAway) {
    const std::string word = "q" + has(20) + "[xxxxxx[";
    const std::string words = "ha haha q q" + has(9) + " q" + has(13);
    loadTestDictionary(words);
    Repair within = repair(word);
    EXPECT_EQ(std::count(within.messages.begin(), within.messages.end(), '\n'), 100000);
    loadTestDictionary(words + " q" + has(20) + "[xxxxxx");
    Repair over = repair(word);
    EXPECT_EQ(over.messages, "42: Couldn't find '" + word + "' in the dictionary.\n");
    EXPECT_EQ(over.result, word);
}

struct RunawayCase {
    const char* name;
    const char* words;
    std::string line;
    std::string result;
    std::string messages;
    int fixedRise;
    bool fixedFlag;
};

const std::string longHa = has(60);

const RunawayCase runawayCases[] = {
    {"longest_line_of_haha", "ha haha", has(127), resultFor(127),
     "42: Ambiguous splitting of '" + has(127) + "': chose '" + resultFor(127) +
         "' over too many alternatives to list\n",
     1, true},
    {"unrepaired_runaway_is_not_found", "ha haha", longHa + "x", longHa + "x",
     "42: Couldn't find '" + longHa + "x' in the dictionary.\n", 0, false},
    {"words_around_a_runaway_keep_their_repairs", "are ha haha you",
     "areyou " + longHa + ", areyou", "are you " + resultFor(60) + ", are you",
     "42: Ambiguous splitting of '" + longHa + "': chose '" + resultFor(60) +
         "' over too many alternatives to list\n",
     3, true},
    // With k "ha"s before "wiill" (k even) the full search gives
    // (k/2 - 1) times "haha ", then "ha ha will", as the literal search
    // shows for small k below.
    {"rewrites_inside_trials_of_a_runaway", "ha haha will", longHa + "wiill",
     [] {
         std::string r;
         for (int i = 0; i < 29; ++i)
             r += "haha ";
         return r + "ha ha will";
     }(),
     "42: Ambiguous splitting of '" + longHa + "wiill': chose '" +
         [] {
             std::string r;
             for (int i = 0; i < 29; ++i)
                 r += "haha ";
             return r + "ha ha will";
         }() +
         "' over too many alternatives to list\n",
     1, true},
};

class Runaway : public testing::TestWithParam<RunawayCase> {};

TEST_P(Runaway, OneLineAndTheFullSearchsResult) {
    const RunawayCase& c = GetParam();
    loadTestDictionary(c.words);
    Repair r = repair(c.line);
    EXPECT_EQ(r.result, c.result);
    EXPECT_EQ(r.messages, c.messages);
    EXPECT_EQ(r.fixedRise, c.fixedRise);
    EXPECT_EQ(r.ofTheRise, 0);
    EXPECT_EQ(r.fixed, c.fixedFlag);
}

INSTANTIATE_TEST_SUITE_P(Table, Runaway, testing::ValuesIn(runawayCases),
                         [](const auto& info) { return std::string(info.param.name); });

// The pattern that the runaway case above relies on, from the literal search.
TEST(TrialBudget, HahaWiillPatternHoldsWhereTheSearchIsLiteral) {
    loadTestDictionary("ha haha will");
    for (int k = 4; k <= 12; k += 2) {
        std::string expected;
        for (int i = 0; i < k / 2 - 1; ++i)
            expected += "haha ";
        expected += "ha ha will";
        Repair r = repair(has(k) + "wiill");
        EXPECT_EQ(r.result, expected) << k;
        EXPECT_EQ(r.messages.find("too many"), std::string::npos);
    }
}

struct LongWordCase {
    const char* name;
    const char* words;
    std::string line;
    std::string messages;
};

const std::string word255(255, 'a');
const std::string word254(254, 'a');

// Words longer than 254 bytes are never searched nor looked up.
const LongWordCase longWordCases[] = {
    {"listed_long_word_not_looked_up", word255.c_str(), word255,
     "42: Couldn't find '" + word255 + "' in the dictionary.\n"},
    {"symbol_start_gets_no_lookup_diagnostics", "a", "[" + word254 + "]",
     "42: Couldn't find '[" + word254 + "]' in the dictionary.\n"},
    {"splittable_long_word_left_alone", "a aa", word255,
     "42: Couldn't find '" + word255 + "' in the dictionary.\n"},
    {"word_of_254_bytes_is_searched", word254.c_str(), word254, ""},
};

class LongWord : public testing::TestWithParam<LongWordCase> {};

TEST_P(LongWord, AppendedUnchanged) {
    const LongWordCase& c = GetParam();
    loadTestDictionary(std::string(c.words) + " go");
    Repair r = repair(c.line + " go");
    EXPECT_EQ(r.result, c.line + " go");
    EXPECT_EQ(r.messages, c.messages);
    EXPECT_EQ(r.fixedRise, 0);
    EXPECT_EQ(r.lineAfter, c.line + " go");
}

INSTANTIATE_TEST_SUITE_P(Table, LongWord, testing::ValuesIn(longWordCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
