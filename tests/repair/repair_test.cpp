// The repair of one line: case by case from the table in repairs.txt, and at
// the edges of the budgets of a word's search.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "repair/contractions.h"
#include "repair/counters.h"
#include "repair/repairline.h"
#include "repair/trials.h"
#include "support/testsupport.h"
#include "wordlist/characters.h"
#include "wordlist/counts.h"
#include "wordlist/profile.h"

namespace {

struct Repair {
    std::string result, messages;  // messages: standard output during the call
    int64_t fixedRise, ofTheRise;
    bool fixed;
    std::string lineAfter;  // the caller's text after the call
};

// Repairs `line` (up to its first NUL) as line number 42, verbose.
Repair repairCaptured(const std::string& line) {
    lineNumber = 42;
    int64_t fixedBefore = fixedCount, ofTheBefore = ofTheCount;
    Repair r;
    r.fixed = true;  // must be cleared
    r.lineAfter = line;
    testing::internal::CaptureStdout();
    r.result = repairLine(r.lineAfter.data(), r.fixed, true);
    r.messages = testing::internal::GetCapturedStdout();
    r.fixedRise = fixedCount - fixedBefore;
    r.ofTheRise = ofTheCount - ofTheBefore;
    return r;
}

struct RepairCase {
    std::string name, words, line, profile, counted;
    std::optional<std::string> words2;
    Repair want{};
};

// \t \r \0 \xHH and \\ stand for those bytes.
std::string unescape(const std::string& text) {
    std::string bytes;
    for (size_t i = 0; i < text.size(); ++i) {
        char c = text[i] == '\\' ? text[++i] : 0;
        if (c == 'x') {
            bytes += static_cast<char>(std::stoi(text.substr(i + 1, 2), nullptr, 16));
            i += 2;
        } else {
            bytes += c == 0 ? text[i] : c == 't' ? '\t' : c == 'r' ? '\r' : c == '0' ? '\0' : c;
        }
    }
    return bytes;
}

std::vector<RepairCase> readCases() {
    std::ifstream in(UNJAM_REPAIRS);
    std::vector<RepairCase> cases;
    for (std::string row; std::getline(in, row);) {
        if (row.empty() || row[0] == '#') continue;
        std::string key = row.substr(0, row.find(' '));
        std::string value = unescape(row.size() > 8 ? row.substr(8) : "");
        if (key == "case") cases.emplace_back().name = value;
        RepairCase& c = cases.back();
        if (key == "words") c.words = value;
        if (key == "words2") c.words2 = value;
        if (key == "profile") c.profile += value + "\n";
        if (key == "counted") c.counted += value + "\n";
        if (key == "line") c.line = c.want.lineAfter = value;  // unchanged unless said
        if (key == "result") c.want.result = value;
        if (key == "after") c.want.lineAfter = value;
        if (key == "say") c.want.messages += value + "\n";
        if (key == "counts") {
            std::string flag;
            std::istringstream(value) >> c.want.fixedRise >> c.want.ofTheRise >> flag;
            c.want.fixed = flag == "fixed";
        }
    }
    return cases;
}

std::string shown(const Repair& r) {
    return "result '" + r.result + "', text after '" + r.lineAfter + "', fixedCount +" +
           std::to_string(r.fixedRise) + ", ofTheCount +" + std::to_string(r.ofTheRise) +
           (r.fixed ? ", fixed\n" : "\n") + r.messages;
}

TEST(Repair, EveryCaseOfTheTable) {
    std::vector<RepairCase> cases = readCases();
    ASSERT_GT(cases.size(), 40u);
    for (const RepairCase& c : cases) {
        loadTestDictionary(c.words, c.words2 ? c.words2->c_str() : nullptr);
        std::string error;
        activeProfile = Profile();
        ASSERT_TRUE(parseProfile(c.profile, activeProfile, error)) << c.name << ": " << error;
        clearWordCounts();
        if (!c.counted.empty()) {
            ASSERT_TRUE(parseWordCounts(c.counted, error)) << c.name << ": " << error;
        }
        EXPECT_EQ(shown(repairCaptured(c.line)), shown(c.want)) << c.name;
    }
    clearWordCounts();
    activeProfile = Profile();
}

// The edge of the trial budget. "haha..." with ha and haha listed runs a
// number of trials that follows a recurrence, computed here on its own, so
// the last word within the budget and the first past it are known exactly.
std::string has(int count) {
    std::string text;
    for (int i = 0; i < count; ++i)
        text += "ha";
    return text;
}

// For m >= 3 "ha"s only the left pieces "haha" and "ha" are listed; a right
// piece of one or two "ha"s is listed, a longer one starts a trial. Each
// search, the word's own and each trial's, makes one first split.
int64_t trialsFor(int m) {
    int64_t trials = 0;
    for (int right : {m - 2, m - 1})
        if (right >= 3) trials += 1 + trialsFor(right);
    return trials;
}

// The longest left piece wins: "haha" then the repaired rest.
std::string resultFor(int m) {
    return m <= 2 ? has(m) : "haha " + resultFor(m - 2);
}

TEST(TrialBudget, LastWordWithinKeepsEveryLineAndCountFirstPastGetsOne) {
    loadTestDictionary("ha haha");
    int m = 3;
    while (trialsFor(m + 1) <= trialBudget)
        ++m;
    Repair within = repairCaptured(has(m));
    EXPECT_EQ(within.result, resultFor(m));
    EXPECT_EQ(within.fixedRise, trialsFor(m) + 1);
    // Every search of three or more "ha"s reports its one alternative; the
    // word's own comes last, after those of its trials.
    std::string own = "42: Ambiguous splitting of '" + has(m) + "': chose '" + resultFor(m) +
                      "' over 'ha " + resultFor(m - 1) + "'\n";
    ASSERT_GE(within.messages.size(), own.size());
    EXPECT_EQ(within.messages.substr(within.messages.size() - own.size()), own);
    EXPECT_EQ(std::count(within.messages.begin(), within.messages.end(), '\n'), trialsFor(m) + 1);

    Repair past = repairCaptured(has(m + 1));
    EXPECT_EQ(past.result, resultFor(m + 1));
    EXPECT_EQ(past.messages, "42: Ambiguous splitting of '" + has(m + 1) + "': chose '" +
                                 resultFor(m + 1) + "' over too many alternatives to list\n");
    EXPECT_EQ(past.fixedRise, 1);
    EXPECT_TRUE(past.fixed);
}

// "q", 20 "ha" and S = "\x01xxxxxx\x01" (a control character, part of a
// word but no letter, so that a piece beginning with it is looked up with
// the diagnostic): the left pieces "q..." leave 20, 11 and 7
// "ha"s before S, and the search of j "ha"s before S meets S F(j+1) times
// (Fibonacci: "ha" and "haha" lead on). Each meeting prints 9 lines: the
// lookup of S, then its trial's lookups of S and of its 7 left pieces. With
// the not-found line: 9 * (10946 + 144 + 21) + 1 = 100,000 lines. Listing
// the left piece before S's last byte adds one line, the lookup of "\x01".
TEST(LineBudget, WordPrintingTheMostLinesKeepsThemOneMoreRunsAway) {
    const std::string word = std::string("q") + has(20) + "\x01xxxxxx\x01";
    const std::string words = std::string("ha haha q q") + has(9) + " q" + has(13);
    loadTestDictionary(words);
    Repair within = repairCaptured(word);
    EXPECT_EQ(std::count(within.messages.begin(), within.messages.end(), '\n'), 100000);
    loadTestDictionary(words + " q" + has(20) + "\x01xxxxxx");
    Repair over = repairCaptured(word);
    EXPECT_EQ(over.messages, "42: Couldn't find '" + word + "' in the dictionary.\n");
    EXPECT_EQ(over.result, word);
}

// Whether the word after the text's end follows a letter and an apostrophe,
// in each encoding and with each apostrophe: the walk that ends words at a
// typographic one asks the same.
TEST(Contractions, ApostropheBehindALetter) {
    const struct {
        std::string text;
        bool follows;
    } rows[] = {
        {"don'", true},
        {"don\xe2\x80\x99", true},
        {"don\xe2\x80\x98", true},
        {"don\xca\xbc", true},
        {"don\x92", true},
        {"caf\xc3\xa9'", true},
        {"'", false},
        {"2'", false},
        {"\xe2\x80\x94\xe2\x80\x99", false},
        {"don\xe2\x80\x9d", false},
        {"\x99", false},
        {"don", false},
    };
    for (const auto& row : rows) {
        lineEncoding = encodingOfLine(row.text);  // as repairLine decides it for its line
        EXPECT_EQ(followsContraction(row.text, 0, row.text.size()), row.follows) << row.text;
        EXPECT_FALSE(followsContraction(row.text, row.text.size() - 1, row.text.size()));
    }
}

}  // namespace
