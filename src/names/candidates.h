// The names to propose for `words2`, chosen from the sightings.
#pragma once

#include <string>
#include <vector>

// Every sighted word that recurs (two sightings or more), stood inside a
// sentence at least once (or began one three times), and that no lookup in
// the loaded word list finds, nor is met spaced or holds a non-letter; and
// the coinages (coinages.h);
// each in its most frequent spelling, in byte order of the lower-case word.
std::vector<std::string> candidateNames();
