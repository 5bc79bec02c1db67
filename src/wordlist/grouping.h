// A main list whose letters are not grouped from A to Z loses words: a
// lookup scans only the range of its initial as loading leaves it, from
// where that letter's last group starts to where the next letter's starts.
#pragma once

#include <cstdint>

// Main-list words that the order loses, as the last load counted them:
// words that a lookup would find in a sorted list but not in this one.
extern int32_t lostWordCount;

// Counts the main-list words outside their letter's range whose text no
// lookup finds (a repeated word is found by its copy in range) and, when
// there are any, warns once on standard error. Called once the main list
// is indexed.
void checkGrouping();
