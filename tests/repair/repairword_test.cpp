// Whole-word repairs through repairLine, one table row per rule or rule
// interaction: the word list, the line, and everything the repair leaves
// behind (result, messages, counter changes, fixed flag).
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "repair/counters.h"
#include "repair/repairline.h"
#include "support/repaircapture.h"
#include "support/testdictionary.h"

namespace {

struct WordCase {
    const char* name;
    const char* words;
    const char* line;
    const char* result;
    const char* messages;  // standard output, line number 42
    int fixedRise;
    int ofTheRise;
    bool fixedFlag;
};

const WordCase wordCases[] = {
    {"listed_pieces_split", "are you", "areyou", "are you", "", 1, 0, true},
    {"case_is_kept", "are you", "AreYou", "Are You", "", 1, 0, true},
    {"listed_word_stays", "are you", "ARE", "ARE", "", 0, 0, false},
    {"direct_alternative_reported_even_with_re", "a are you reyou", "areyou", "are you",
     "42: Ambiguous splitting of 'areyou': chose 'are you' over 'a reyou'\n", 1, 0, true},
    {"recursive_re_alternative_quiet", "a are re you", "areyou", "are you", "", 2, 0, true},
    {"recursive_ll_alternative_quiet", "well be we ll", "wellbe", "well be", "", 2, 0, true},
    {"direct_ll_alternative_reported", "well be we llbe", "wellbe", "well be",
     "42: Ambiguous splitting of 'wellbe': chose 'well be' over 'we llbe'\n", 1, 0, true},
    {"longest_left_piece_wins", "be bet tween ween", "between", "bet ween",
     "42: Ambiguous splitting of 'between': chose 'bet ween' over 'be tween'\n", 1, 0, true},
    {"recursive_split_counts_twice", "is it ok", "isitok", "is it ok", "", 2, 0, true},
    {"ambiguity_inside_trial_printed", "go be bet tween ween", "gobetween", "go bet ween",
     "42: Ambiguous splitting of 'between': chose 'bet ween' over 'be tween'\n", 2, 0, true},
    {"of_the", "the he", "ofthe", "of the", "", 1, 1, false},
    {"of_the_capitals", "the he", "OFTHE", "of THE", "", 1, 1, false},
    {"of_the_rest_unlisted", "the", "ofthe", "of the", "", 1, 0, false},
    {"of_the_beats_split_search", "of the oft he", "ofthe", "of the", "", 1, 1, false},
    {"oft_alone_looks_up_empty_rest", "t", "oft", "of t", "inDict got symbol ''\n", 1, 0, false},
    {"oft_rest_unlisted_goes_on_to_split", "oftm en", "oftmen", "oftm en", "", 1, 0, true},
    {"of_the_in_dropped_trial", "is the", "isofthe", "isofthe",
     "42: Couldn't find 'isofthe' in the dictionary.\n", 1, 0, false},
    {"doubled_i", "will", "wiill", "will", "42: Truncated 'ii' in 'wiill' to 'will'\n", 0, 0,
     false},
    {"doubled_i_only_first_pair", "iii", "iiii", "iii", "42: Truncated 'ii' in 'iiii' to 'iii'\n",
     0, 0, false},
    {"doubled_i_capitals_are_no_pair", "will", "wIIll", "wIIll",
     "42: Couldn't find 'wIIll' in the dictionary.\n", 0, 0, false},
    {"doubled_i_then_split", "this is", "thiisis", "this is",
     "42: Truncated 'ii' in 'thiisis' to 'this is'\n", 1, 0, false},
    {"rewrite_in_trial_reaches_caller", "the will", "thewiill", "thewill",
     "42: Truncated 'ii' in 'wiill' to 'will'\n"
     "42: Couldn't find 'thewill' in the dictionary.\n",
     0, 0, false},
    {"rewrite_seen_by_later_right_piece", "the will t hewill", "thewiill", "t hewill",
     "42: Truncated 'ii' in 'wiill' to 'will'\n", 1, 0, true},
    {"ambiguity_quotes_rewritten_word", "thewi ill the will t hewill", "thewiill", "thewi ill",
     "42: Truncated 'ii' in 'wiill' to 'will'\n"
     "42: Ambiguous splitting of 'thewill': chose 'thewi ill' over 't hewill'\n",
     1, 0, true},
    {"longer_replacement_not_written_back", "is it ok", "iisitok", "is it ok",
     "42: Truncated 'ii' in 'iisitok' to 'is it ok'\n", 2, 0, false},
    {"longer_replacement_in_trial_leaves_text", "is it ok so now", "soiisitok now",
     "so is it ok now",
     "42: Truncated 'ii' in 'iisitok' to 'is it ok'\n"
     "42: Truncated 'ii' in 'soiisitok' to 'so is it ok'\n",
     5, 0, false},
    {"one_byte_right_piece_not_looked_up", "boat", "boats", "boats",
     "42: Couldn't find 'boats' in the dictionary.\n", 0, 0, false},
    {"symbol_start_looked_up_for_every_left_piece", "music", "[music]", "[music]",
     "inDict got symbol '[music]'\ninDict got symbol '[music'\ninDict got symbol '[musi'\n"
     "inDict got symbol '[mus'\ninDict got symbol '[mu'\ninDict got symbol '[m'\n"
     "inDict got symbol '['\n42: Couldn't find '[music]' in the dictionary.\n",
     0, 0, false},
    {"symbol_right_piece_looked_up_only_behind_listed_left", "go", "go_x", "go_x",
     "inDict got symbol '_x'\ninDict got symbol '_x'\ninDict got symbol '_'\n"
     "42: Couldn't find 'go_x' in the dictionary.\n",
     0, 0, false},
    {"tab_joins_words", "ab cd", "ab\tcd", "ab\tcd",
     "inDict got symbol '\tcd'\ninDict got symbol '\tcd'\ninDict got symbol '\tc'\n"
     "inDict got symbol '\t'\n"
     "42: Couldn't find 'ab\tcd' in the dictionary.\n",
     0, 0, false},
    {"unlisted_word_in_trial_not_reported", "x", "xqqq", "xqqq",
     "42: Couldn't find 'xqqq' in the dictionary.\n", 0, 0, false},
    {"words_around_digits_repaired_apart", "are you", "areyou2areyou", "are you2are you", "", 2, 0,
     true},
    {"contraction_cut_at_apostrophe", "it", "it's", "it's", "", 0, 0, false},
    {"high_bytes_belong_to_words", "caf", "caf\xe9", "caf\xe9",
     "inDict got symbol '\xe9'\n42: Couldn't find 'caf\xe9' in the dictionary.\n", 0, 0, false},
};

// The rows list their words in any order; the main list must be grouped.
std::string grouped(const char* words) {
    std::istringstream in(words);
    std::vector<std::string> list;
    for (std::string w; in >> w;)
        list.push_back(w);
    std::sort(list.begin(), list.end());
    std::string text;
    for (const auto& w : list)
        text += w + "\n";
    return text;
}

class WordRepair : public testing::TestWithParam<WordCase> {};

TEST_P(WordRepair, ResultMessagesAndCounts) {
    const WordCase& c = GetParam();
    loadTestDictionary(grouped(c.words));
    Repair r = repairCaptured(c.line);
    EXPECT_EQ(r.result, c.result);
    EXPECT_EQ(r.messages, c.messages);
    EXPECT_EQ(r.fixedRise, c.fixedRise);
    EXPECT_EQ(r.ofTheRise, c.ofTheRise);
    EXPECT_EQ(r.fixed, c.fixedFlag);
}

INSTANTIATE_TEST_SUITE_P(Table, WordRepair, testing::ValuesIn(wordCases),
                         [](const auto& info) { return std::string(info.param.name); });

// A trial (verbose clear) reports ambiguities and truncations but never a
// word it cannot repair.
TEST(WordRepairQuiet, TrialReportsNoUnknownWord) {
    loadTestDictionary("will");
    lineNumber = 3;
    std::string line = "zzzz wiill";
    bool fixed = true;
    testing::internal::CaptureStdout();
    std::string result = repairLine(line.data(), fixed, false);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "3: Truncated 'ii' in 'wiill' to 'will'\n");
    EXPECT_EQ(result, "zzzz will");
    EXPECT_FALSE(fixed);
}

// The rewrite lands in the handed text: the line reads with the shortened
// word, ended early by a NUL, and the bytes behind it are untouched.
TEST(WordRepairInPlace, DoubledIRewritesHandedText) {
    loadTestDictionary("will go");
    std::string line = "wiill go";
    bool fixed;
    testing::internal::CaptureStdout();
    std::string result = repairLine(line.data(), fixed, true);
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(result, "will go");
    EXPECT_EQ(line, std::string("will\0 go", 8));
}

}  // namespace
