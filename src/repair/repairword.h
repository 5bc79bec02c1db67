// The word repair: decides what one word contributes to a line's result.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// What one call of repairLine keeps across its words.
struct LineRepair {
    std::string result;       // the repaired text being built
    std::string chosenSplit;  // the current word's first split, for ambiguity messages
    bool& fixed;
    bool verbose;
    // Of the word under repair: it directly follows a letter and an
    // apostrophe ("don'|tknow"), and an apostrophe directly follows it, or
    // the word this piece ends ("keepgoin|'").
    bool afterContraction = false;
    bool afterOpeningApostrophe = false;  // one with no letter before it ("'nWasser")
    std::string_view contracted = {};     // behind a contraction: the word it ends ("It")
    // Nothing but blanks, dialogue dashes and markup so far on the line: a
    // word in capitals and a colon here is a speaker label ("MEI:").
    bool atLineStart = true;
    bool beforeApostrophe = false;
};

// `word` is NUL-terminated inside the text the call was handed; it may be
// rewritten in place, never past its end.
void repairWord(char* word, LineRepair& call);

// A word longer than this is never searched: no line of the length the
// search was made for can hold it.
constexpr size_t longestSearchedWord = 254;

// Steps after the listed-word test: the of-the rule, the split search, the
// doubled-i rule and the final append (with the not-found message when the
// call is verbose). True when one of the rules repaired the word.
bool repairUnlisted(char* word, LineRepair& call);

// True when the piece is listed in a case that fits it, reads as a
// compound ("am|Lagerfeuer"), or, at the end of a word that an apostrophe
// follows, is speech with a dropped g ("keep|goin'").
bool holdsPiece(const char* piece, size_t length, const LineRepair& call);

void reportNotFound(const char* word);
// The one line said for a word whose search ran away.
void reportRunaway(const std::string& word, const std::string& result);
