#include "names/run.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "driver/messages.h"
#include "names/candidates.h"
#include "names/subtitles.h"
#include "wordlist/counts.h"
#include "wordlist/dictionary.h"
#include "wordlist/profile.h"

namespace {

const char* const usageText[] = {
    "Usage: unjam-names in.srt...",
    " Prints the capitalized words of the subtitle files that recur, stand",
    " inside a sentence and are in neither 'words' nor 'words2', and the",
    " lower-case words the files coin: names to review and add to 'words2'.",
};

// Any failure to read a file ends the run: a list drawn from part of a
// season would mislead.
void readSubtitles(const char* path) {
    if (!noteSubtitleFile(path, true)) std::exit(1);
}

// Standard output is the list itself: failing to write it is an error.
int printNames() {
    errno = 0;
    for (const std::string& name : candidateNames()) {
        std::fwrite(name.data(), 1, name.size(), stdout);
        std::fputc('\n', stdout);
    }
    if (std::fflush(stdout) == 0 && !std::ferror(stdout)) return 0;
    complain(std::string("Could not write the standard output: ") +
             std::strerror(errno ? errno : EIO));
    return 1;
}

}  // namespace

int runNames(int argc, char** argv) {
    if (argc < 2) {
        for (const char* line : usageText)
            complain(line);
        return 1;
    }
    for (int k = 1; k < argc; ++k)
        readSubtitles(argv[k]);
    readDictionary();
    // The list's language tells which words are its compounds.
    loadProfile();
    // Counts tell a join of common words from a name.
    loadWordCounts();
    int status = printNames();
    freeDictionary();
    return status;
}
