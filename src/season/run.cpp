#include "season/run.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "driver/messages.h"
#include "names/candidates.h"
#include "names/subtitles.h"
#include "platform/platform.h"
#include "season/lists.h"
#include "season/namechoices.h"
#include "season/options.h"
#include "season/plan.h"
#include "season/repairfile.h"
#include "season/seasonfile.h"
#include "season/seasonpage.h"
#include "wordlist/dictionary.h"

namespace {

void say(const std::string& line) {
    std::fputs((line + "\n").c_str(), stdout);
    std::fflush(stdout);
}

std::string plural(int64_t count, const char* one, const char* many) {
    return std::to_string(count) + " " + (count == 1 ? one : many);
}

std::vector<SeasonFile> planFiles(const SeasonOptions& options) {
    std::vector<SeasonFile> files;
    for (const std::string& input : options.files) {
        std::string name = fileName(input);
        SeasonFile& file = files.emplace_back();
        file.input = input;
        file.output = inFolder(options.folder, name);
        file.log = inFolder(options.folder, logNameFor(name));
    }
    return files;
}

// The sightings of every file that can be read; one that cannot is
// reported and left out of the names and the repair.
void noteSeason(std::vector<SeasonFile>& files) {
    for (SeasonFile& file : files)
        // unjam warns of NUL bytes when it repairs the file.
        file.readable = noteSubtitleFile(file.input.c_str(), false);
}

void writeNames(const std::string& path, const std::vector<std::string>& names) {
    std::string text;
    for (const std::string& name : names)
        text.append(name).push_back('\n');
    if (!writeTextFile(path, text))
        fail("Could not write the names file: " + path + ": " + std::strerror(errno));
}

std::string progressOf(const SeasonFile& file, int status) {
    if (!file.readable) return "not repaired: it could not be read";
    if (status < 0)
        return std::string("not repaired: could not run unjam: ") + std::strerror(errno);
    if (status > 255) return "not repaired: unjam ended by an exception";
    if (status > 128) return "not repaired: unjam ended by signal " + std::to_string(status - 128);
    if (status != 0) return "failed: unjam ended with status " + std::to_string(status);
    const FileReport& r = file.report;
    return plural(r.lines, "line", "lines") + ", " + std::to_string(r.fixed) + " fixed, " +
           std::to_string(r.ambiguous) + " ambiguous, " + std::to_string(r.notFound) + " not found";
}

// Repairs one file and says how it went, after `counter` ("[3/6]").
void repairFile(SeasonFile& file, const std::string& unjam, const std::string& listFolder,
                const std::string& counter) {
    int status =
        file.readable ? repairWithUnjam(unjam, listFolder, file.input, file.output, file.log) : -1;
    bool logRead = status != 0 || readReport(file.log, file.report);
    std::string progress = logRead ? progressOf(file, status)
                                   : "repaired, but its log could not be read: " + file.log + ": " +
                                         std::strerror(errno);
    file.repaired = status == 0 && logRead;
    file.outcome = progress;
    say(counter + " " + file.input + ": " + progress);
}

void repairSeason(std::vector<SeasonFile>& files, const std::string& unjam,
                  const std::string& listFolder) {
    std::string total = std::to_string(files.size());
    for (size_t k = 0; k < files.size(); ++k)
        repairFile(files[k], unjam, listFolder, '[' + std::to_string(k + 1) + '/' + total + ']');
}

void printNamesLine(const SeasonOptions& options, const std::vector<std::string>& names) {
    std::string path = inFolder(options.folder, namesFileName);
    if (!options.proposeNames)
        say("No names proposed (-n): the word lists alone are used.");
    else if (names.empty())
        say("No names proposed: " + path + " is empty.");
    else
        say("Proposed " + plural(static_cast<int64_t>(names.size()), "name", "names") + " in " +
            path + ", used unreviewed beside words2.");
}

int printSummary(const SeasonOptions& options, const std::vector<SeasonFile>& files,
                 const std::vector<std::string>& names, bool pageWritten) {
    int64_t repaired = 0;
    for (const SeasonFile& file : files)
        repaired += file.repaired;
    say("Repaired " + std::to_string(repaired) + " of " +
        plural(static_cast<int64_t>(files.size()), "file", "files") + " into " + options.folder +
        "; the messages of each are in its .log file there.");
    if (pageWritten)
        say("Every change is on the page " + inFolder(options.folder, reviewPageName) +
            ": open it in a browser to undo the wrong ones.");
    if (!names.empty())
        say("To keep the good names: review " + inFolder(options.folder, namesFileName) +
            ", add them to words2, and run again.");
    return pageWritten && repaired == static_cast<int64_t>(files.size()) ? 0 : 1;
}

}  // namespace

int runSeason(int argc, char** argv) {
    SeasonOptions options;
    int status = readCommandLine(argc, argv, options);
    if (status >= 0) return status;
    MainList main = chooseMainList(argv[0]);
    refuseUnsafePlan(options.folder, options.files, options.proposeNames, listsToKeep(main));
    std::string unjam = programBeside(argv[0], "unjam");
    if (!isRunnable(unjam.c_str()))
        fail("Could not find unjam beside this program: " + unjam + ": " + std::strerror(errno));
    if (main.installed)
        say("No 'words' in the working directory: using the installed list " + main.path);

    loadLists(main);
    std::vector<SeasonFile> files = planFiles(options);
    noteSeason(files);  // with -n too: an input that cannot be read is skipped alike
    PageNames names;
    if (options.proposeNames) {
        names.rejected = readRejectedNames(inFolder(options.folder, rejectedNamesFileName));
        names.proposed = withoutRejected(candidateNames(), names.rejected);
    }
    std::string secondList = secondListText(names.proposed), listsAlone = secondListText({});
    freeDictionary();

    if (!makeFolders(options.folder))
        fail("Could not make the folder: " + options.folder + ": " + std::strerror(errno));
    if (options.proposeNames) writeNames(inFolder(options.folder, namesFileName), names.proposed);
    printNamesLine(options, names.proposed);
    std::string listFolder = makeListFolder(main, secondList);
    repairSeason(files, unjam, listFolder);
    names.alone = repairAlone(unjam, listFolder, listsAlone, files, names.proposed);
    removeListFolder(listFolder);
    bool pageWritten = writeSeasonPage(inFolder(options.folder, reviewPageName), files, names);
    return printSummary(options, files, names.proposed, pageWritten);
}
