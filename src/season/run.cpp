#include "season/run.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "driver/messages.h"
#include "names/candidates.h"
#include "names/subtitles.h"
#include "platform/platform.h"
#include "season/inputs.h"
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

// A file's repair while unjam runs: whether it started, and why not.
struct Repair {
    RunningProgram unjam;
    int started = -1;
    std::string why;
};

// What unjam said on standard error while repairing a file, which it wrote
// into `errors` as it ran beside others: passed on as it ends, so that the
// messages stand where a run of one file at a time puts them.
void passOnErrors(const std::string& errors) {
    int fd = openForReading(errors.c_str());
    char buffer[1 << 16];
    long got;
    std::fflush(stdout);
    while (fd >= 0 && (got = readFrom(fd, buffer, sizeof buffer)) > 0)
        std::fwrite(buffer, 1, static_cast<size_t>(got), stderr);
    std::fflush(stderr);
    closeFile(fd);
    removeFile(errors.c_str());
}

// Waits for one file's repair and says how it went, after `counter` ("[3/6]").
void finishFile(SeasonFile& file, Repair& repair, const std::string& errors,
                const std::string& counter) {
    int status = file.readable ? finishRepair(repair.started, repair.unjam, file.output, file.log,
                                              errors, file.report, repair.why)
                               : -1;
    passOnErrors(errors);
    file.repaired = status == 0;
    file.outcome = progressOf(file, status, repair.why);
    // A repair that failed leaves the earlier one, which must not pass for this run's.
    if (!file.repaired && kindOfPath(file.output.c_str()) == FileKind::regular)
        file.outcome += "; the earlier " + file.output + " is kept";
    say(counter + " " + file.input + ": " + file.outcome);
}

// The files are repaired side by side, one unjam per processor, and told
// of in their order. An interruption removes, besides `cleanUp`, the files
// in progress.
void repairSeason(std::vector<SeasonFile>& files, const std::string& unjam,
                  const std::string& listFolder, const std::vector<std::string>& cleanUp) {
    std::string total = std::to_string(files.size());
    size_t jobs = static_cast<size_t>(std::clamp(processorCount(), 1, maxRunningPrograms));
    std::vector<Repair> repairs(files.size());
    auto errorsOf = [&](size_t k) { return inFolder(listFolder, "errors" + std::to_string(k)); };
    size_t started = 0;
    for (size_t k = 0; k < files.size(); ++k) {
        for (; started < files.size() && started < k + jobs; ++started) {
            std::vector<std::string> paths;
            for (size_t running = k; running <= started; ++running) {
                paths.push_back(errorsOf(running));
                paths.push_back(partialName(files[running].output));
                paths.push_back(partialName(files[running].log));
            }
            paths.insert(paths.end(), cleanUp.begin(), cleanUp.end());
            cleanUpOnInterrupt(paths);
            const SeasonFile& file = files[started];
            if (file.readable)
                repairs[started].started =
                    startRepair(unjam, listFolder, file.input, file.output, file.log,
                                errorsOf(started), repairs[started].unjam, repairs[started].why);
        }
        finishFile(files[k], repairs[k], errorsOf(k),
                   '[' + std::to_string(k + 1) + '/' + total + ']');
    }
    cleanUpOnInterrupt(cleanUp);
}

// A run killed a moment ago may hold the lock still: the unjam it started
// ends with it, but not at once, and holds the lock until it does. So a held
// lock is asked for again for two seconds before the folder is taken for
// another run's.
bool lockFolder(const std::string& lock) {
    constexpr int step = 100, patience = 2000;  // milliseconds
    for (int waited = 0;; waited += step) {
        if (lockFile(lock.c_str())) return true;
        if ((errno != EWOULDBLOCK && errno != EAGAIN) || waited >= patience) return false;
        pauseMilliseconds(step);
    }
}

// The folder made and held for this run alone; the scratch folder is
// removed when it cannot be.
void claimFolder(const std::string& folder, const std::string& listFolder) {
    std::string lock = inFolder(folder, lockFileName), problem;
    if (!makeFolders(folder))
        problem = "Could not make the folder: " + folder + ": " + std::strerror(errno);
    else if (!lockFolder(lock))
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
    gatherInputs(options);
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
    std::vector<std::string> cleanUp = listFolderPaths(listFolder);  // made so already
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
    status = printSummary(options, files, names.proposed, pageWritten, pageComplete);
    if (options.openPage && pageWritten && !openInBrowser(absolutePath(page))) {
        complain("Could not open the review page in a browser: " + page + ": " +
                 std::strerror(errno) + "; open it yourself");
        status = 1;
    }
    return status;
}
