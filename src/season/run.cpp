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

// False, having said why, when the file cannot be written.
bool writeNames(const std::string& path, const std::vector<std::string>& names) {
    std::string text;
    for (const std::string& name : names)
        text.append(name).push_back('\n');
    if (writeTextFile(path, text)) return true;
    complain("Could not write the names file: " + path + ": " + std::strerror(errno));
    return false;
}

std::string progressOf(const SeasonFile& file, int status, const std::string& why) {
    if (!file.readable) return "not repaired: it could not be read";
    if (status < 0) return "not repaired: " + why;
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
    std::string why;
    int status = file.readable
                     ? repairWithUnjam(unjam, listFolder, file.input, file.output, file.log, why)
                     : -1;
    bool logRead = status != 0 || readReport(file.log, file.report);
    std::string progress = logRead ? progressOf(file, status, why)
                                   : "repaired, but its log could not be read: " + file.log + ": " +
                                         std::strerror(errno);
    file.repaired = status == 0 && logRead;
    file.outcome = progress;
    say(counter + " " + file.input + ": " + progress);
}

// An interruption removes, besides `cleanUp`, the file in progress.
void repairSeason(std::vector<SeasonFile>& files, const std::string& unjam,
                  const std::string& listFolder, const std::vector<std::string>& cleanUp) {
    std::string total = std::to_string(files.size());
    for (size_t k = 0; k < files.size(); ++k) {
        std::vector<std::string> paths = cleanUp;
        paths.push_back(partialName(files[k].output));
        paths.push_back(partialName(files[k].log));
        cleanUpOnInterrupt(paths);
        repairFile(files[k], unjam, listFolder, '[' + std::to_string(k + 1) + '/' + total + ']');
    }
    cleanUpOnInterrupt(cleanUp);
}

// The folder made and held for this run alone; the scratch folder is
// removed when it cannot be.
void claimFolder(const std::string& folder, const std::string& listFolder) {
    std::string lock = inFolder(folder, lockFileName), problem;
    if (!makeFolders(folder))
        problem = "Could not make the folder: " + folder + ": " + std::strerror(errno);
    else if (!lockFile(lock.c_str()))
        problem = errno == EWOULDBLOCK || errno == EAGAIN
                      ? "Another unjam-season is writing into " + folder + " (it holds " + lock +
                            "): wait for it to end"
                      : "Could not make the lock file: " + lock + ": " + std::strerror(errno);
    if (problem.empty()) return;
    removeListFolder(listFolder);
    fail(problem);
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
                 const std::vector<std::string>& names, bool pageWritten, bool pageComplete) {
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
    return pageWritten && pageComplete && repaired == static_cast<int64_t>(files.size()) ? 0 : 1;
}

}  // namespace

int runSeason(int argc, char** argv) {
    SeasonOptions options;
    int status = readCommandLine(argc, argv, options);
    if (status >= 0) return status;
    MainList main = chooseMainList(argv[0], options.language);
    refuseUnsafePlan(options.folder, options.files, options.proposeNames, listsToKeep(main));
    std::string unjam = programBeside(argv[0], "unjam");
    if (!isRunnable(unjam.c_str()))
        fail("Could not find unjam beside this program: " + unjam + ": " + std::strerror(errno));
    if (!options.language.empty())
        say("Language " + options.language + ": using the installed list " + main.path);
    else if (main.installed)
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

    std::string listFolder = makeListFolder(main, secondList);
    std::vector<std::string> cleanUp = listFolderPaths(listFolder);
    cleanUpOnInterrupt(cleanUp);
    claimFolder(options.folder, listFolder);
    std::string lock = inFolder(options.folder, lockFileName);
    cleanUp.push_back(lock);
    cleanUpOnInterrupt(cleanUp);
    // No page of an earlier run may stand beside this run's repairs.
    std::string page = inFolder(options.folder, reviewPageName);
    if (kindOfPath(page.c_str()) != FileKind::directory) removeFile(page.c_str());
    if (options.proposeNames &&
        !writeNames(inFolder(options.folder, namesFileName), names.proposed)) {
        removeListFolder(listFolder);
        unlockFile(lock.c_str());
        return 1;
    }
    printNamesLine(options, names.proposed);
    repairSeason(files, unjam, listFolder, cleanUp);
    names.alone = repairAlone(unjam, listFolder, listsAlone, files, names.proposed);
    removeListFolder(listFolder);
    bool pageComplete = false;
    bool pageWritten = writeSeasonPage(page, files, names, pageComplete);
    unlockFile(lock.c_str());
    return printSummary(options, files, names.proposed, pageWritten, pageComplete);
}
