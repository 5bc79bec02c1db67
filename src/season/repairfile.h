// The repair of one file of a season by the unjam program itself, and the
// figures of its report.
#pragma once

#include <cstdint>
#include <string>

#include "platform/platform.h"

struct FileReport {
    int64_t lines = 0;
    int64_t fixed = 0;
    int64_t ambiguous = 0;
    int64_t notFound = 0;
    bool complete = false;  // it ends with unjam's last line: nothing of it was lost
};

// Runs `unjam input output` in `listFolder`, where it finds its lists, with
// its standard output into `log`; both are written under their partialName
// and take their names only when unjam ended with status 0 and its log is
// complete: a failed repair leaves the files of an earlier run as they were.
// Returns unjam's exit status, or -1 with `why` set when it could not be
// run, its log is cut short, or its files not put in place.
int repairWithUnjam(const std::string& unjam, const std::string& listFolder,
                    const std::string& input, const std::string& output, const std::string& log,
                    std::string& why);

// The same in two steps, so that repairs run side by side: starts unjam
// with its standard error into `errors` (shared when empty) and returns 1,
// or 0 when it could not be started, or -1 when its files could not be
// made ready, with `why` set...
int startRepair(const std::string& unjam, const std::string& listFolder, const std::string& input,
                const std::string& output, const std::string& log, const std::string& errors,
                RunningProgram& running, std::string& why);
// ...then waits for it and puts its files in place as repairWithUnjam does,
// with what unjam wrote into `errors` added at the end of its log; the
// figures of the log in `report`.
int finishRepair(int started, RunningProgram& running, const std::string& output,
                 const std::string& log, const std::string& errors, FileReport& report,
                 std::string& why);

// The figures of unjam's messages in `log`, and whether it is complete;
// false (errno set) if it cannot be read.
bool readReport(const std::string& log, FileReport& report);
