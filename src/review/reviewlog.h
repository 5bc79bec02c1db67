// unjam's standard output for a run, read back: the messages it printed for
// each input line, and the number of lines it read.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

struct LogMessage {
    char kind;         // 'a' ambiguous split, 'i' doubled i, 'n' not found
    std::string word;  // the word the message quotes
    std::string text;  // the whole message after "N: "
    // Of an ambiguous split: the split made and the other one reported
    // (none when the message says there were too many to list); of a
    // doubled i, what the word became.
    std::string chosen, other;
};

struct ReviewLog {
    int64_t linesRead = -1;                               // from "Read N lines."; -1 when missing
    int64_t fixed = -1;                                   // from "Fixed N instances."
    std::map<int64_t, std::vector<LogMessage>> messages;  // by input line number
};

// Reads the log at `path`; false with `error` set when it cannot be read or
// holds a line that is not one of unjam's messages.
bool readReviewLog(const char* path, ReviewLog& log, std::string& error);
