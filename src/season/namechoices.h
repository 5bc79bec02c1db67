// What the user decides about a season's names: the names rejected on the
// review page of an earlier run, which are not proposed again, and what the
// word lists alone make of each word that holds a proposed name, which the
// page shows and downloads where the user unticks that name.
#pragma once

#include <string>
#include <unordered_map>
#include <vector>

#include "season/seasonfile.h"

inline constexpr const char* rejectedNamesFileName = "rejected-names.txt";

// The names in the file `path`, one a line; none when there is no such
// file. One that cannot be read is warned about and counts as none.
std::vector<std::string> readRejectedNames(const std::string& path);
// `names` less those `rejected` holds, in any case of A-Z.
std::vector<std::string> withoutRejected(const std::vector<std::string>& names,
                                         const std::vector<std::string>& rejected);

// Runs unjam once in `listFolder`, with `listsAlone` (the user's words2) as
// its second list, on every distinct word of the text lines of the
// readable `files` that holds one of `names`; returns each such word with
// its repair. None when there are no names, or unjam fails (warned about).
std::unordered_map<std::string, std::string> repairAlone(const std::string& unjam,
                                                         const std::string& listFolder,
                                                         const std::string& listsAlone,
                                                         const std::vector<SeasonFile>& files,
                                                         const std::vector<std::string>& names);
