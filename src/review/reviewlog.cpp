#include "review/reviewlog.h"

#include <cerrno>
#include <cstring>
#include <string_view>

#include "driver/linereader.h"

namespace {

// The lines of a run that concern no input line.
bool isPhaseOrReport(std::string_view line) {
    for (std::string_view fixed : {"Reading in dictionary...done.", "Processing output...",
                                   "Exiting and freeing mem...done."})
        if (line == fixed) return true;
    size_t digits = line.find_first_not_of("0123456789");
    // Warnings of unjam's standard error are welcome too (unjam ... >log 2>&1).
    return line.starts_with("inDict got symbol '") || line.starts_with("Fixed ") ||
           line.starts_with("Warning: ") ||
           (digits > 0 && digits != std::string_view::npos &&
            line.substr(digits).starts_with(" possibily ambiguous 'of the'"));
}

// "': chose 'X' over 'Y'" (a reading holds no quote: it is a split word).
void readReadings(std::string_view text, LogMessage& message) {
    constexpr std::string_view chose = "': chose '", over = "' over '";
    size_t split = text.find(over, chose.size());
    if (!text.starts_with(chose) || split == std::string_view::npos || !text.ends_with('\''))
        return;
    message.chosen = text.substr(chose.size(), split - chose.size());
    message.other = text.substr(split + over.size(), text.size() - split - over.size() - 1);
}

// "N: ..." as a message of line N, if it is one of the repair's messages.
bool parseMessage(std::string_view line, int64_t& number, LogMessage& message) {
    size_t digits = line.find_first_not_of("0123456789");
    if (digits == 0 || digits == std::string_view::npos || digits > 18 ||
        line.substr(digits, 2) != ": ")
        return false;
    number = std::stoll(std::string(line.substr(0, digits)));
    std::string_view text = line.substr(digits + 2);
    static const std::pair<char, std::string_view> heads[] = {
        {'a', "Ambiguous splitting of '"}, {'i', "Truncated 'ii' in '"}, {'n', "Couldn't find '"}};
    for (auto [kind, head] : heads) {
        if (!text.starts_with(head)) continue;
        size_t end = text.find('\'', head.size());
        if (end == std::string_view::npos) return false;
        message = LogMessage{kind, std::string(text.substr(head.size(), end - head.size())),
                             std::string(text), "", ""};
        if (kind == 'a') readReadings(text.substr(end), message);
        // "Truncated 'ii' in 'W' to 'R'": what the word became.
        if (kind == 'i' && text.substr(end).starts_with("' to '") && text.ends_with('\''))
            message.chosen = text.substr(end + 6, text.size() - end - 7);
        return true;
    }
    return false;
}

// "Read N lines." or "Fixed N instances."
bool readCount(std::string_view line, std::string_view head, std::string_view tail,
               int64_t& count) {
    if (!line.starts_with(head) || !line.ends_with(tail)) return false;
    std::string_view digits = line.substr(head.size(), line.size() - head.size() - tail.size());
    if (digits.empty() || digits.size() > 18 ||
        digits.find_first_not_of("0123456789") != std::string_view::npos)
        return false;
    count = std::stoll(std::string(digits));
    return true;
}

}  // namespace

bool readReviewLog(const char* path, ReviewLog& log, std::string& error) {
    InputFile in;
    if (!openInput(in, path)) {
        error = std::string("Could not open the log file: ") + path + ": " + std::strerror(errno);
        return false;
    }
    std::string line;
    int64_t lineCount = 0, number;
    LogMessage message;
    bool readable = checkReadable(in);  // a directory is refused here
    while (readable && readLine(in, line)) {
        ++lineCount;
        if (parseMessage(line, number, message))
            log.messages[number].push_back(std::move(message));
        else if (!readCount(line, "Read ", " lines.", log.linesRead) &&
                 !readCount(line, "Fixed ", " instances.", log.fixed) && !isPhaseOrReport(line))
            error = std::string("The log file ") + path + " is not unjam's output: its line " +
                    std::to_string(lineCount) + " is no message of unjam";
        if (!error.empty()) break;
    }
    closeInput(in);
    if (in.error != 0)
        error =
            std::string("Could not read the log file: ") + path + ": " + std::strerror(in.error);
    return error.empty();
}
