// The names proposed for a season, and what the word lists alone make of
// each word of its files that holds one: where the user unticks a name, the
// page shows and downloads that repair instead of the one the name made.
#pragma once

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "review/alignment.h"

struct PageNames {
    std::vector<std::string> proposed;
    std::vector<std::string> rejected;  // by the user in an earlier run, not proposed again
    // A word as the input holds it, and its repair by the lists alone.
    std::unordered_map<std::string, std::string> alone;
};

// The indexes of the names of `names` that `word` holds, in any case of A-Z.
std::vector<size_t> namesIn(const std::vector<std::string>& names, std::string_view word);

// Makes each unchanged word of `line` that holds a proposed name a change
// of its own that changes nothing (before = after), so that the page can
// list it with the name and let the user decide it.
void splitNameSpots(const PageNames& names, LineChanges& line);

// Appends `,"ALONE",[K...]` to a change's data: the repair by the lists
// alone when it differs from the change's (else ""), and the names its
// word holds.
void appendAlone(std::string& json, const PageNames& names, const Change& change);
