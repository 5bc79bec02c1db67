// A profile is read as its file says, and a wrong line is named with the
// reason; the English rules stand where a setting is not given.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "wordlist/profile.h"

namespace {

std::string joined(const std::vector<std::string>& words) {
    std::string text;
    for (const std::string& w : words)
        text += (text.empty() ? "" : " ") + w;
    return text;
}

// The profile as one line: language | elisions | endings | doubled-i
// case-rule compounds | the first and the number of function words, or the
// error.
std::string read(const std::string& text) {
    Profile profile;
    std::string error;
    if (!parseProfile(text, profile, error)) return "error: " + error;
    return profile.language + " | " + joined(profile.elisions) + " | " + joined(profile.endings) +
           " | " + (profile.doubledI ? "on" : "off") + (profile.caseRule ? " on" : " off") +
           (profile.compounds ? " on" : " off") + " | " +
           (profile.functionWords.empty() ? "none" : profile.functionWords.front()) + " " +
           std::to_string(profile.functionWords.size());
}

TEST(Profile, ReadOrRefused) {
    const struct {
        const char* text;
        const char* want;
    } rows[] = {
        {"", "en |  | ll re ve t s m d | on off off | a 66"},
        {"# only a comment\n\n", "en |  | ll re ve t s m d | on off off | a 66"},
        {"language it\nelisions l dell  # l'anno\nendings none\ndoubled-i off\n",
         "it | l dell |  | off off off | a 66"},
        // A list's lines add up, the first replacing the English words.
        {"elisions l d\nendings s\nelisions dell\nendings t\n",
         "en | l d dell | s t | on off off | a 66"},
        {"language\tde\r\nendings s\r\ncase-rule on\ncompounds on\n",
         "de |  | s | on on on | a 66"},
        {"function-words der die\tdas\nlanguage de\n",
         "de |  | ll re ve t s m d | on off off | der 3"},
        {"function-words none\n", "en |  | ll re ve t s m d | on off off | none 0"},
        {"function-words der\nfunction-words die das\n",
         "en |  | ll re ve t s m d | on off off | der 3"},
        // A line that would go unapplied is refused.
        {"case-rule on\ncompounds on\ncase-rule off\n",
         "error: line 3: 'case-rule' is set on line 1 already"},
        {"language fr\n\nlanguage it\n", "error: line 3: 'language' is set on line 1 already"},
        {"elisions l\nelisions\n", "error: line 2: 'elisions' takes one word or more, or none"},
        {"function-words\n", "error: line 1: 'function-words' takes one word or more, or none"},
        {"endings none s\n",
         "error: line 1: 'endings none' stands alone: no other word of it "
         "may be given"},
        {"endings s\nendings none\n",
         "error: line 2: 'endings none' stands alone: no other "
         "word of it may be given"},
        {"endings none\nendings s\n",
         "error: line 2: 'endings' is none on an earlier line: no "
         "word of it may be given"},
        {"\xe9lisions l\n", "error: line 1: unknown setting '\xc3\xa9lisions'"},
        {"case-rule\n", "error: line 1: 'case-rule' takes on or off"},
        {"compounds yes\n", "error: line 1: 'compounds' takes on or off"},
        {"language fr\ndoubled-i maybe\n", "error: line 2: 'doubled-i' takes on or off"},
        {"doubled-i\n", "error: line 1: 'doubled-i' takes on or off"},
        {"language fr it\n", "error: line 1: 'language' takes one name"},
        {"\n\nelision l\n", "error: line 3: unknown setting 'elision'"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(read(row.text), row.want) << row.text;
}

TEST(Profile, WordSettingsAddUpAndNoneStandsAlone) {
    Profile profile;
    std::string error;
    ASSERT_TRUE(
        parseProfile("proclitics n ne\nproclitics s\nprefixes raus\nverb-starts ge\n"
                     "prefixes an\nverb-starts zu\n",
                     profile, error))
        << error;
    EXPECT_EQ(joined(profile.proclitics), "n ne s");
    EXPECT_EQ(joined(profile.prefixes), "raus an");
    EXPECT_EQ(joined(profile.verbStarts), "ge zu");
    EXPECT_TRUE(Profile().proclitics.empty());
    EXPECT_TRUE(Profile().prefixes.empty());
    EXPECT_TRUE(Profile().verbStarts.empty());
    EXPECT_FALSE(parseProfile("proclitics none s\n", profile, error));
    EXPECT_FALSE(parseProfile("prefixes none raus\n", profile, error));
}

// The cost is read with a dot in any locale; anything that is not a plain
// number above 0 and at most 100, or off, is refused.
TEST(Profile, UnlistedCost) {
    const struct {
        const char* text;
        const char* want;
    } rows[] = {
        {"", "3.5"},
        {"unlisted-cost 2.25\n", "2.25"},
        {"unlisted-cost 100\n", "100"},
        {"unlisted-cost off\n", "0"},
        {"unlisted-cost 0\n", "refused"},
        {"unlisted-cost -1\n", "refused"},
        {"unlisted-cost 100.5\n", "refused"},
        {"unlisted-cost 1,5\n", "refused"},
        {"unlisted-cost 1e1\n", "refused"},
        {"unlisted-cost nan\n", "refused"},
        {"unlisted-cost 3 4\n", "refused"},
        {"unlisted-cost\n", "refused"},
        {"unlisted-cost 2\nunlisted-cost 3\n", "refused"},
    };
    for (const auto& row : rows) {
        Profile profile;
        std::string error;
        std::string got = parseProfile(row.text, profile, error) ? "" : "refused";
        if (got.empty()) {
            char text[32];
            std::snprintf(text, sizeof text, "%g", profile.unlistedCost);
            got = text;
        }
        EXPECT_EQ(got, row.want) << row.text;
    }
    Profile profile;
    std::string error;
    parseProfile("\nunlisted-cost 0.0\n", profile, error);
    EXPECT_EQ(error, "line 2: 'unlisted-cost' takes a number above 0 and at most 100, or off");
}

}  // namespace
