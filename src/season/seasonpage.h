// The season's review page: every file repaired in the run, each change
// marked to be undone, and the proposed names to tick for words2.
#pragma once

#include <string>
#include <vector>

#include "review/namespots.h"
#include "season/seasonfile.h"

// Writes the page of the repaired `files` (one not repaired has no repair
// to show: it is named with the reason) and `names` to `path`. On failure says why on standard
// error, removes the file `path`, so that no page of an earlier run stands for this one, and
// returns false. A repaired file the page cannot show is named among the
// skipped ones and on standard error, and `complete` is false.
bool writeSeasonPage(const std::string& path, const std::vector<SeasonFile>& files,
                     const PageNames& names, bool& complete);
