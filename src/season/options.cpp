#include "season/options.h"

#include <cstdio>
#include <cstring>

#include "driver/messages.h"

#ifndef UNJAM_VERSION
#define UNJAM_VERSION "unknown"
#endif

namespace {

const char* const usageText[] = {
    "Usage: unjam-season [-o DIR] [-n] [-l LANG] [--open] FOLDER | in.srt...",
    " Proposes the names of a season's subtitle files, then repairs each file",
    " into DIR as unjam does, with the names added to the second word list:",
    " DIR/NAME.log holds each file's messages, DIR/names.txt the names to review,",
    " DIR/review.html every change and name, to review in a web browser.",
    " FOLDER stands for its .srt files (any case), not those of its sub-folders.",
    " -o DIR          the folder for the repaired files, created if missing;",
    "                 without it, the folder 'fixed' in the inputs' folder",
    " -n, --no-names  propose no names: repair with 'words' and 'words2' alone",
    " -l LANG         repair with the installed list of the language LANG and its",
    "                 rules (en es fr de it pt) instead of 'words' here",
    " --open          open the review page in the web browser at the end",
    " -h, --help      print this text",
    " --version       print the version",
};

int usageError(const std::string& reason) {
    if (!reason.empty()) complain(reason);
    for (const char* line : usageText)
        complain(line);
    return 1;
}

int printHelp() {
    for (const char* line : usageText)
        std::printf("%s\n", line);
    return 0;
}

}  // namespace

int readCommandLine(int argc, char** argv, SeasonOptions& options) {
    if (argc < 2) return usageError("");
    bool optionsEnded = false;
    for (int k = 1; k < argc; ++k) {
        const char* arg = argv[k];
        if (optionsEnded || arg[0] != '-' || std::strcmp(arg, "-") == 0) {
            options.files.push_back(arg);
        } else if (std::strcmp(arg, "--") == 0) {
            optionsEnded = true;
        } else if (std::strcmp(arg, "-h") == 0 || std::strcmp(arg, "--help") == 0) {
            return printHelp();
        } else if (std::strcmp(arg, "--version") == 0) {
            std::printf("unjam-season %s\n", UNJAM_VERSION);
            return 0;
        } else if (std::strcmp(arg, "--open") == 0) {
            options.openPage = true;
        } else if (std::strcmp(arg, "-n") == 0 || std::strcmp(arg, "--no-names") == 0) {
            options.proposeNames = false;
        } else if (std::strcmp(arg, "-o") == 0 && k + 1 < argc && argv[k + 1][0] != '\0') {
            if (!options.folder.empty()) return usageError("Option -o given twice");
            options.folder = argv[++k];
        } else if (std::strcmp(arg, "-o") == 0) {
            return usageError("Option -o needs a folder");
        } else if (std::strcmp(arg, "-l") == 0 && k + 1 < argc && argv[k + 1][0] != '\0') {
            if (!options.language.empty()) return usageError("Option -l given twice");
            options.language = argv[++k];
        } else if (std::strcmp(arg, "-l") == 0) {
            return usageError("Option -l needs a language");
        } else {
            return usageError(std::string("Unknown option: ") + arg);
        }
    }
    if (options.files.empty()) return usageError("No input file");
    return -1;
}
