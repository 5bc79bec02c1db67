// How a repaired line follows from its original: the repair only inserts
// blanks into words, drops an i of a doubled "ii", turns a doubled
// apostrophe or grave accent into one quotation mark, and writes "OFTHE"
// as "of THE". A line whose bytes differ in any other way is no repair.
#pragma once

#include <string>
#include <string_view>
#include <vector>

// One changed word or quote pair. `marks` walks both texts at once, a mark
// a step: '=' a byte kept, '+' a byte inserted, '-' a byte dropped, '~' a
// byte replaced by another.
struct Change {
    std::string before, after, marks;
};

// A line as the text the repair left alone around its changes:
// common[k], changes[k], common[k + 1], ...
struct LineChanges {
    std::vector<std::string> common;
    std::vector<Change> changes;
};

// Splits the pair into changes; false when `after` is no repair of `before`.
bool alignLine(std::string_view before, std::string_view after, LineChanges& line);

// True when `text` holds `word` as the repair may have reported it: with
// blanks inserted and an i of an "ii" dropped.
bool holdsReportedWord(std::string_view text, std::string_view word);

// True when `word` stands in `text` as a whole word, between separators.
bool holdsWholeWord(std::string_view text, std::string_view word);
