// One input of a season run and what became of it: all that a report of
// the run needs, once the repairs are done.
#pragma once

#include <string>

#include "season/repairfile.h"

struct SeasonFile {
    std::string input;   // as given
    std::string output;  // its repair, in the output folder
    std::string log;     // unjam's messages while repairing it
    bool readable = true;
    bool repaired = false;
    std::string outcome;  // as its progress line says it
    FileReport report;
};
