#include "season/repairfile.h"

#include <cerrno>
#include <cstdlib>
#include <string_view>

#include "driver/linereader.h"
#include "platform/platform.h"

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
    if (isMessage(line, ": Ambiguous splitting of '"))
        ++report.ambiguous;
    else if (isMessage(line, ": Couldn't find '"))
        ++report.notFound;
    else if (!readCount(line, "Read ", report.lines))
        readCount(line, "Fixed ", report.fixed);
}

}  // namespace

int repairWithUnjam(const std::string& unjam, const std::string& listFolder,
                    const std::string& input, const std::string& output, const std::string& log) {
    return runProgram(unjam, {absolutePath(input), absolutePath(output)}, listFolder, log);
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
