// The names to propose for `words2`, chosen from the sightings.
#pragma once

#include <string>
#include <vector>

// Every sighted word that recurs (two sightings or more), stood inside a
// sentence at least once (or began one three times), and that no lookup in
// the loaded word list finds, nor is met spaced or holds anything but
// letters and combining marks; and the coinages (coinages.h);
// each in its most frequent spelling (UTF-8), in byte order of its key.
std::vector<std::string> candidateNames();
