#include "season/repairfile.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string_view>

#include "driver/linereader.h"
#include "platform/platform.h"
#include "season/lists.h"
#include "season/plan.h"

namespace {

// The count in "Read N lines." or "Fixed N instances.".
bool readCount(std::string_view line, std::string_view before, int64_t& count) {
    if (!line.starts_with(before)) return false;
    count = std::strtoll(line.data() + before.size(), nullptr, 10);
    return true;
}

// True for a repair message of the given kind: "N: Couldn't find '...".
// Only these and the report begin with a digit or "Read "/"Fixed ".
bool isMessage(std::string_view line, std::string_view kind) {
    size_t digits = line.find_first_not_of("0123456789");
    return digits > 0 && digits != std::string_view::npos && line.substr(digits).starts_with(kind);
}

void countLine(std::string_view line, FileReport& report) {
    report.complete = line == "Exiting and freeing mem...done.";
    if (isMessage(line, ": Ambiguous splitting of '"))
        ++report.ambiguous;
    else if (isMessage(line, ": Couldn't find '"))
        ++report.notFound;
    else if (!readCount(line, "Read ", report.lines))
        readCount(line, "Fixed ", report.fixed);
}

}  // namespace

namespace {

std::string because(const std::string& what, const std::string& path) {
    return what + ": " + path + ": " + std::strerror(errno);
}

// unjam's log, read to its last line, then what unjam said on standard
// error into `errors` (none when empty) added after it: all of its messages.
// False with `why` set when the log is not whole or cannot be made so.
bool completeLog(const std::string& log, const std::string& errors, FileReport& report,
                 std::string& why) {
    std::string part = partialName(log), text, said;
    if (!readReport(part, report)) {
        why = because("could not read its log", log);
        return false;
    }
    if (!report.complete) {
        why = "its log is cut short: unjam's messages did not all reach " + log;
        return false;
    }
    if (errors.empty() || !readWholeFile(errors, said) || said.empty()) return true;
    if (readWholeFile(part, text) && writeNewFile(part, text + said)) return true;
    why = because("could not write its log", log);
    return false;
}

// unjam's files take their names; a repair it did not write leaves none.
bool putInPlace(const std::string& output, const std::string& log, std::string& why) {
    std::string partOutput = partialName(output), partLog = partialName(log);
    if (!renameFile(partLog.c_str(), log.c_str()))
        why = because("could not write its log", log);
    else if (kindOfPath(partOutput.c_str()) == FileKind::missing)
        removeFile(output.c_str());
    else if (!renameFile(partOutput.c_str(), output.c_str()))
        why = because("could not write", output);
    removeFile(partOutput.c_str());
    removeFile(partLog.c_str());
    return why.empty();
}

}  // namespace

int startRepair(const std::string& unjam, const std::string& listFolder, const std::string& input,
                const std::string& output, const std::string& log, const std::string& errors,
                RunningProgram& running, std::string& why) {
    std::string partOutput = partialName(output), partLog = partialName(log);
    // unjam runs in the list folder: it is handed paths that lead anywhere.
    std::string from = absolutePath(input), to = absolutePath(partOutput);
    if (from.empty() || to.empty()) {
        why = because("its path is too long to hand to unjam", from.empty() ? input : output);
        return -1;
    }
    int fd = openForWriting(partLog.c_str());
    if (fd < 0) {
        why = because("could not write its log", log);
        return -1;
    }
    closeFile(fd);
    if (startProgram(unjam, {from, to}, listFolder, partLog, errors, running)) return 1;
    why = std::string("could not run unjam: ") + std::strerror(errno);
    return 0;
}

int finishRepair(int started, RunningProgram& running, const std::string& output,
                 const std::string& log, const std::string& errors, FileReport& report,
                 std::string& why) {
    if (started < 0) return -1;
    int status = started ? waitForProgram(running) : -1;
    if (status < 0 && why.empty())
        why = std::string("could not run unjam: ") + std::strerror(errno);
    if (status == 0 && !completeLog(log, errors, report, why)) status = -1;
    if (status == 0) return putInPlace(output, log, why) ? 0 : -1;
    // What a failed or cut run wrote is no repair: an earlier one stays.
    removeFile(partialName(output).c_str());
    removeFile(partialName(log).c_str());
    return status;
}

int repairWithUnjam(const std::string& unjam, const std::string& listFolder,
                    const std::string& input, const std::string& output, const std::string& log,
                    std::string& why) {
    RunningProgram running;
    FileReport report;
    int started = startRepair(unjam, listFolder, input, output, log, "", running, why);
    return finishRepair(started, running, output, log, "", report, why);
}

bool readReport(const std::string& log, FileReport& report) {
    InputFile in;
    in.fd = openForReading(log.c_str());
    if (in.fd < 0) return false;
    std::string line;
    while (readLine(in, line))
        countLine(line, report);
    closeFile(in.fd);
    errno = in.error;
    return in.error == 0;
}
