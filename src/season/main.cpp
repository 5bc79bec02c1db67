#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "driver/messages.h"
#include "platform/platform.h"
#include "season/plan.h"
#include "season/run.h"

namespace {

// What a double click on unjam-season.exe shows: it asks for nothing.
const char* const dropHelp[] = {
    "unjam-season repairs the missing spaces in the subtitles of a season.",
    "",
    "To use it, close this window, then drag the folder that holds the .srt files",
    "onto unjam-season.exe and drop it there. The repaired files go into a new",
    "folder 'fixed' inside that folder, your files stay as they are, and a page",
    "opens in your web browser to review every change and download the files.",
};

// The window that Explorer opened closes as the program ends: it stays until
// a key is pressed, on every way out (a refusal ends the run by exit too).
void keepWindowOpen() {
    std::fputs("\nPress any key to close this window.\n", stdout);
    std::fflush(stdout);
    waitForKey();
}

}  // namespace

int main(int argc, char** argv) {
    argv = argumentsInUtf8(argc, argv);
    ensureStandardStreams();
    // A reader that goes away (unjam-season ... | head) must not stop the repairs.
    ignoreBrokenPipes();
    if (!startedInOwnWindow()) return runReportingOutOfMemory(runSeason, argc, argv);
    std::atexit(keepWindowOpen);
    // Explorer chooses the working directory of a drop; the lists are read
    // from the program's own folder instead, where the zip puts `words` and
    // the user `words2`. Dropped paths are absolute.
    changeFolder(folderOf(programBeside(argv[0], "unjam")));
    if (argc < 2) {
        for (const char* line : dropHelp)
            std::printf("%s\n", line);
        return 0;
    }
    // Dropped folders and files: the page is what there is to see next.
    static std::string open = "--open";
    std::vector<char*> args(argv, argv + argc);
    args.insert(args.begin() + 1, open.data());
    args.push_back(nullptr);
    return runReportingOutOfMemory(runSeason, argc + 1, args.data());
}
