// The repair of one file of a season by the unjam program itself, and the
// figures of its report.
#pragma once

#include <cstdint>
#include <string>

struct FileReport {
    int64_t lines = 0;
    int64_t fixed = 0;
    int64_t ambiguous = 0;
    int64_t notFound = 0;
};

// Runs `unjam input output` in `listFolder`, where it finds its lists, with
// its standard output into `log`. Returns its exit status, or -1 (errno set)
// when it could not be run.
int repairWithUnjam(const std::string& unjam, const std::string& listFolder,
                    const std::string& input, const std::string& output, const std::string& log);

// The figures of unjam's messages in `log`; false (errno set) if it cannot be read.
bool readReport(const std::string& log, FileReport& report);
