// Two words met side by side with one blank between them, counted by their
// letters run together: "I can" and "Ic an" both count for "ican". A word
// that recurs joined but is met spaced as often is a join of two words.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

void noteSpacedPair(std::string_view left, std::string_view right);

// How often the word (lower case) was met cut in two by one blank.
int64_t timesSpaced(const std::string& word);
