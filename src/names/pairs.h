// Two words met side by side with one blank between them, counted by their
// keys run together: "I can" and "Ic an" both count for "ican". A word
// that recurs joined but is met spaced as often is a join of two words.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Notes a pair by the sighting keys of its words (sightingKey).
void noteSpacedPair(std::string_view leftKey, std::string_view rightKey);

// How often the word (a sighting key) was met cut in two by one blank.
int64_t timesSpaced(const std::string& key);
