// The command line of unjam-season.
#pragma once

#include <string>
#include <vector>

struct SeasonOptions {
    std::string folder;  // -o: where the repaired files go
    bool proposeNames = true;
    std::string language;  // -l: the installed list of this language; empty: none given
    std::vector<std::string> files;
};

// Reads the command line into `options`. Returns -1 to go on, or the exit
// status to end with after help, the version or a usage error (printed).
int readCommandLine(int argc, char** argv, SeasonOptions& options);
