#include "wordlist/lookup.h"

#include <gtest/gtest.h>

#include <string>

#include "support/testdictionary.h"

namespace {

struct LookupCase {
    const char* name;
    const char* main;
    const char* second;  // nullptr: no second list
    const char* word;
    bool found;
    const char* output;  // the lookup's own diagnostic, if any
};

const LookupCase lookupCases[] = {
    {"empty_word", "go", nullptr, "", false, "inDict got symbol ''\n"},
    {"apostrophe_start_even_if_listed", "go", "'tis", "'tis", false, "inDict got symbol ''tis'\n"},
    {"bracket_start", "go", "[x]", "[x]", false, "inDict got symbol '[x]'\n"},
    {"asterisk_start", "go", nullptr, "*go", false, "inDict got symbol '*go'\n"},
    {"semicolon_start", "go", nullptr, ";go", false, "inDict got symbol ';go'\n"},
    {"high_byte_start", "go", "\xe9t\xe9", "\xe9t\xe9", false, "inDict got symbol '\xe9t\xe9'\n"},
    {"capitals_find_small", "hello", nullptr, "HELLO", true, ""},
    {"small_find_capitals", "HELLO", nullptr, "hello", true, ""},
    {"mixed_case", "McDonald", nullptr, "mcdONALD", true, ""},
    {"high_bytes_not_folded", "caf\xe9", nullptr, "CAF\xc9", false, ""},
    {"z_run_reaches_end_of_main_list", "apple zap zebra zoo", nullptr, "zoo", true, ""},
    {"second_list_any_letter", "apple", "zoo Xylophone", "xylophone", true, ""},
    {"in_both_lists", "apple", "apple", "apple", true, ""},
    {"longer_not_found", "apple", nullptr, "apples", false, ""},
    {"shorter_not_found", "apple", nullptr, "appl", false, ""},
    {"other_letter_range_not_searched", "apple bee", nullptr, "bee", true, ""},
    {"missing_second_list", "apple", nullptr, "zoo", false, ""},
    {"letter_not_in_main_list", "apple", "", "bee", false, ""},
};

class Lookup : public testing::TestWithParam<LookupCase> {};

TEST_P(Lookup, AnswersAndDiagnostic) {
    const LookupCase& c = GetParam();
    loadTestDictionary(c.main, c.second);
    testing::internal::CaptureStdout();
    bool found = inDict(c.word);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), c.output);
    EXPECT_EQ(found, c.found);
}

INSTANTIATE_TEST_SUITE_P(Table, Lookup, testing::ValuesIn(lookupCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
