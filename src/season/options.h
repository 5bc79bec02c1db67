// The command line of unjam-season.
#pragma once

#include <string>
#include <vector>

struct SeasonOptions {
    std::string folder;  // -o: where the repaired files go; empty: `fixed` beside the inputs
    bool proposeNames = true;
    std::string language;            // -l: the installed list of this language; empty: none given
    bool openPage = false;           // --open: the review page shown in the browser at the end
    std::vector<std::string> files;  // folders and files, as given
};

// Reads the command line into `options`. Returns -1 to go on, or the exit
// status to end with after help, the version or a usage error (printed).
int readCommandLine(int argc, char** argv, SeasonOptions& options);
