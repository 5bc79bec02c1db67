#include "review/subtitlepair.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "driver/blockline.h"
#include "driver/linereader.h"
#include "platform/platform.h"
#include "review/alignment.h"
#include "review/namespots.h"
#include "review/pagejson.h"
#include "review/reviewlog.h"
#include "wordlist/characters.h"

namespace {

// A file's lines by the text rules, where each begins in its bytes, and
// the bytes themselves, all of them: also what follows a 0x1A. A line's
// text is the start of its bytes (up to its line end, or a NUL), so only
// its length is kept: a long file is held once. What a NUL cut off, NUL
// and all, is kept by line number.
struct SubtitleText {
    std::vector<size_t> starts;
    std::vector<size_t> lengths;
    std::string bytes;
    std::unordered_map<size_t, std::string> cut;
    bool endedEarly = false;  // a 0x1A ended the lines, and text follows it

    size_t count() const { return starts.size(); }
    std::string_view line(size_t n) const { return {bytes.data() + starts[n], lengths[n]}; }
};

// The bytes of a line from its NUL to its line end, which the line reader
// skipped: what lies between the text and the end, less the LF and the CRs
// before it (or the lone CR that ended it) and anything from a 0x1A on.
std::string cutOff(const SubtitleText& text, size_t start, size_t end) {
    std::string_view raw(text.bytes.data() + start, end - start);
    raw = raw.substr(text.lengths.back());
    raw = raw.substr(0, raw.find('\x1a'));
    if (raw.ends_with('\n')) raw.remove_suffix(1);
    while (raw.ends_with('\r'))
        raw.remove_suffix(1);
    return std::string(raw);
}

bool readSubtitleText(const std::string& path, SubtitleText& text, std::string& error) {
    InputFile in;
    if (!openInput(in, path.c_str())) {
        error = "Could not open the input file: " + path + ": " + std::strerror(errno);
        return false;
    }
    in.copy = &text.bytes;
    std::string line;
    size_t start = 0;
    int64_t cutSoFar = 0;
    bool readable = checkReadable(in);  // a directory is refused here
    while (readable && readLine(in, line)) {
        text.starts.push_back(start);
        text.lengths.push_back(line.size());
        size_t end = text.bytes.size() - (in.buffer.size() - in.pos);
        if (in.linesCut != cutSoFar) text.cut[text.count() - 1] = cutOff(text, start, end);
        cutSoFar = in.linesCut;
        start = end;
    }
    // What follows a 0x1A is no line, but the download must hold it.
    if (in.error == 0) readRest(in, text.bytes);
    text.endedEarly = in.endOfTextLine > 0;
    closeInput(in);
    if (in.error != 0)
        error = "Could not read the input file: " + path + ": " + std::strerror(in.error);
    return in.error == 0;
}

std::string notARepair(const ReviewFile& file, const std::string& why) {
    return file.afterPath + " is not a repair of " + file.beforePath + ": " + why;
}

std::string notTheirLog(const ReviewFile& file, const std::string& why) {
    return "The log " + file.logPath + " is not of the run that made " + file.afterPath + " from " +
           file.beforePath + ": " + why;
}

// unjam quotes words in UTF-8 whatever the line's encoding: a line of
// Windows-1252 is read as UTF-8 for its messages. (Before it did, they
// quoted the line's own bytes, which are looked for too.)
bool holdsQuotedWord(std::string_view line, const std::string& quoted, const std::string& word,
                     size_t& from) {
    size_t at = quoted.find(word, from);
    if (at != std::string::npos) {
        from = at;
        return true;
    }
    return holdsReportedWord(quoted, word) || line.find(word) != std::string::npos ||
           holdsReportedWord(line, word);
}

// Every message must quote a word of the line it names, and the run must
// have read as many lines as the file has.
bool checkLog(const ReviewFile& file, const ReviewLog& log, const SubtitleText& before,
              std::string& error) {
    auto count = static_cast<int64_t>(before.count());
    if (log.linesRead != count) {
        error = notTheirLog(file, log.linesRead < 0 ? "it has no line \"Read N lines.\""
                                                    : "it read " + std::to_string(log.linesRead) +
                                                          " lines, not " + std::to_string(count));
        return false;
    }
    for (const auto& [number, messages] : log.messages) {
        // Messages follow the words of their line: each is looked for first
        // from where the one before it was found.
        size_t from = 0;
        bool held = number >= 1 && number <= count;
        std::string_view line = held ? before.line(static_cast<size_t>(number - 1)) : "";
        const std::string quoted = toUtf8(line, encodingOfLine(line));
        for (const LogMessage& message : messages) {
            if (!held || !holdsQuotedWord(line, quoted, message.word, from)) {
                error = notTheirLog(
                    file, "line " + std::to_string(number) + " holds no '" + message.word + "'");
                return false;
            }
        }
    }
    return true;
}

// Each change's kind: 'a' when the log calls its split ambiguous, 'i' when
// it reports a doubled i in it, 's' (silent) when it says nothing of it. A
// message names its change's word as a rule, so that is looked up first
// (once per word and kind: a word may be reported many times); only the
// others, words rewritten by an earlier repair, are searched for.
std::vector<char> changeKinds(const LineChanges& line, Encoding encoding,
                              const std::vector<LogMessage>* messages) {
    std::vector<char> kinds(line.changes.size(), 's');
    struct SameWord {
        std::vector<size_t> changes;
        char marked = 0;
    };
    std::vector<std::string> quoted;  // each change's word as messages quote it
    std::unordered_map<std::string_view, SameWord> byWord;
    for (const Change& change : line.changes)
        quoted.push_back(toUtf8(change.before, encoding));
    for (size_t k = 0; k < line.changes.size(); ++k)
        byWord[quoted[k]].changes.push_back(k);
    auto mark = [&kinds](size_t k, char kind) {
        if (kinds[k] != 'a') kinds[k] = kind;
    };
    for (size_t m = 0; messages && m < messages->size(); ++m) {
        const LogMessage& message = (*messages)[m];
        auto found = byWord.find(message.word);
        if (message.kind == 'n') continue;
        if (found == byWord.end()) {
            for (size_t k = 0; k < line.changes.size(); ++k)
                if (holdsReportedWord(quoted[k], message.word)) mark(k, message.kind);
        } else if (found->second.marked != 'a' && found->second.marked != message.kind) {
            found->second.marked = message.kind;
            for (size_t k : found->second.changes)
                mark(k, message.kind);
        }
    }
    return kinds;
}

// A line's place in the file: its number, and its block's cue and timing.
struct LinePlace {
    int64_t number;
    const std::string& cue;
    const std::string& timing;
    const std::vector<LogMessage>* messages;
    Encoding encoding;  // of the original line
};

void appendLineHead(std::string& json, const LinePlace& at) {
    json += "{\"n\":";
    appendNumber(json, at.number);
    json += ",\"cue\":";
    appendByteString(json, at.cue);
    json += ",\"time\":";
    appendByteString(json, at.timing);
    json += ",\"log\":[";
    for (size_t k = 0; at.messages && k < at.messages->size(); ++k) {
        if (k) json.push_back(',');
        appendByteString(json, (*at.messages)[k].text);
    }
    json += "],";
}

// The line's changes, and the words that hold a name as changes of their own.
bool alignShown(std::string_view before, std::string_view after, const PageNames& names,
                LineChanges& line) {
    if (!alignLine(before, after, line)) return false;
    splitNameSpots(names, line);
    return true;
}

// What a NUL cut off the original line, against what it cut off the
// repaired one (nothing, when unjam made it), as a change of its own.
Change cutChange(const std::string& before, const std::string& after) {
    return Change{before, after, std::string(before.size(), '-') + std::string(after.size(), '+')};
}

// The other readings the log reports for a change's word, each as the
// change's repaired text with the split made replaced by the other one.
std::vector<std::string> readingsOf(const Change& change, Encoding encoding,
                                    const std::vector<LogMessage>* messages) {
    std::vector<std::string> readings;
    std::string quoted = toUtf8(change.before, encoding);  // as messages quote it
    for (size_t m = 0; messages && m < messages->size(); ++m) {
        const LogMessage& message = (*messages)[m];
        // A reading is offered in the file's own bytes only: in a file that
        // is not UTF-8, one beyond ASCII is not found in the change.
        if (message.other.empty() || !holdsReportedWord(quoted, message.word)) continue;
        size_t at = change.after.find(message.chosen);
        if (at == std::string::npos) continue;
        std::string reading = change.after;
        reading.replace(at, message.chosen.size(), message.other);
        if (reading != change.after &&
            std::find(readings.begin(), readings.end(), reading) == readings.end())
            readings.push_back(reading);
    }
    return readings;
}

// [before, after, marks, kind, [readings], alone, [names]]
void appendSeg(std::string& json, const Change& change, char kind,
               const std::vector<std::string>& readings, const PageNames& names) {
    json.push_back('[');
    appendByteString(json, change.before);
    json.push_back(',');
    appendByteString(json, change.after);
    json.push_back(',');
    appendByteString(json, change.marks);
    json += ",\"";
    json.push_back(kind);
    json += "\",[";
    for (size_t k = 0; k < readings.size(); ++k) {
        if (k) json.push_back(',');
        appendByteString(json, readings[k]);
    }
    json.push_back(']');
    appendAlone(json, names, change);
    json.push_back(']');
}

// A changed line; a change that changes nothing ('m') is an unchanged word
// that holds a proposed name. The text between changes is given by its
// length only: the page takes it from the repaired bytes, which it holds.
void appendChangedLine(std::string& json, const LinePlace& at, size_t start,
                       const LineChanges& line, const Change* cut, const Change* ended,
                       const PageNames& names) {
    appendLineHead(json, at);
    json += "\"at\":";
    appendNumber(json, static_cast<int64_t>(start));
    json += ",\"segs\":[";
    std::vector<char> kinds = changeKinds(line, at.encoding, at.messages);
    for (size_t k = 0; k < line.changes.size(); ++k) {
        const Change& change = line.changes[k];
        bool spot = change.before == change.after;
        appendNumber(json, static_cast<int64_t>(line.common[k].size()));
        json.push_back(',');
        appendSeg(json, change, spot ? 'm' : kinds[k],
                  spot ? std::vector<std::string>{} : readingsOf(change, at.encoding, at.messages),
                  names);
        json.push_back(',');
    }
    appendNumber(json, static_cast<int64_t>(line.common.back().size()));
    for (auto [change, kind] : {std::pair{cut, 'z'}, std::pair{ended, 'e'}}) {
        if (!change) continue;
        json.push_back(',');
        appendSeg(json, *change, kind, {}, PageNames{});
        json += ",0";
    }
    json += "]}";
}

// A message on a whole word of the line names what that word became, and
// the repaired line must hold that change, or the log is of another run
// (other lists) or of another file. A message on a piece of a word comes
// from a trial, whose choice may not be the word's.
const LogMessage* unheldChoice(std::string_view before, const LineChanges& line,
                               const std::vector<LogMessage>* messages) {
    for (size_t m = 0; messages && m < messages->size(); ++m) {
        const LogMessage& message = (*messages)[m];
        if (message.kind == 'n' || !holdsWholeWord(before, message.word)) continue;
        bool held = false;
        for (const Change& change : line.changes)
            held = held || (change.before == message.word && change.after == message.chosen);
        if (!held) return &message;
    }
    return nullptr;
}

std::string cutOf(const SubtitleText& text, size_t n) {
    auto found = text.cut.find(n);
    return found == text.cut.end() ? std::string() : found->second;
}

// The last line of an original that a 0x1A ended early, when the repaired
// file does not hold what followed it (as unjam's does not).
bool endsEarly(const SubtitleText& before, const SubtitleText& after, size_t n) {
    return before.endedEarly && !after.endedEarly && n + 1 == before.count();
}

// Where the file went on after its last line, when a 0x1A ended it early:
// the bytes after that line's text (and what a NUL cut off it), its line
// end, the 0x1A and all after it, against the repaired file's line end. A
// change of its own, so that undoing it gives back every byte.
Change endChange(const SubtitleText& before, const SubtitleText& after, size_t n) {
    auto tail = [n](const SubtitleText& text, const std::string& cut) {
        return text.bytes.substr(text.starts[n] + text.lengths[n] + cut.size());
    };
    std::string was = tail(before, cutOf(before, n)), is = tail(after, cutOf(after, n));
    return Change{was, is, std::string(was.size(), '-') + std::string(is.size(), '+')};
}

bool reportsNotFound(const std::vector<LogMessage>* messages) {
    for (size_t k = 0; messages && k < messages->size(); ++k)
        if ((*messages)[k].kind == 'n') return true;
    return false;
}

// The changed lines, then the unchanged ones with words not found, each
// by where it stands in the repaired bytes.
bool appendLines(const ReviewFile& file, const SubtitleText& before, const SubtitleText& after,
                 const ReviewLog& log, const PageNames& names, std::string& json,
                 std::string& error) {
    std::string notFound, cue, timing;
    int blockLine = 0;
    LineChanges line;
    json += "\"lines\":[";
    size_t changedFrom = json.size();
    for (size_t n = 0; n < before.count(); ++n) {
        std::string_view b = before.line(n), a = after.line(n);
        auto number = static_cast<int64_t>(n + 1);
        auto found = log.messages.find(number);
        LinePlace at{number, cue, timing, found == log.messages.end() ? nullptr : &found->second,
                     encodingOfLine(b)};
        if (!isTextLine(b, blockLine)) {
            if (b != a) {
                error = notARepair(file, "line " + std::to_string(number) +
                                             " is a cue number, timing or empty line and differs");
                return false;
            }
            if (blockLine == 1) cue = b;
            if (blockLine == 2) timing = b;
        } else if (!alignShown(b, a, names, line)) {
            error = notARepair(file, "line " + std::to_string(number) +
                                         " differs in more than inserted blanks, dropped i's of "
                                         "\"ii\", merged quote pairs and \"of the\"");
            return false;
        } else if (const LogMessage* unheld = unheldChoice(b, line, at.messages)) {
            error = notTheirLog(file, "it turned '" + unheld->word + "' into '" + unheld->chosen +
                                          "', which line " + std::to_string(number) + " of " +
                                          file.afterPath + " does not hold");
            return false;
        } else if (Change cut = cutChange(cutOf(before, n), cutOf(after, n));
                   !line.changes.empty() || cut.before != cut.after ||
                   endsEarly(before, after, n)) {
            Change ended = endsEarly(before, after, n) ? endChange(before, after, n) : Change{};
            if (json.size() > changedFrom) json.push_back(',');
            appendChangedLine(json, at, after.starts[n], line,
                              cut.before != cut.after ? &cut : nullptr,
                              endsEarly(before, after, n) ? &ended : nullptr, names);
        } else if (reportsNotFound(at.messages)) {
            if (!notFound.empty()) notFound.push_back(',');
            appendLineHead(notFound, at);
            notFound += "\"at\":";
            appendNumber(notFound, static_cast<int64_t>(after.starts[n]));
            notFound += ",\"length\":";
            appendNumber(notFound, static_cast<int64_t>(a.size()));
            notFound.push_back('}');
        }
    }
    json += "],\"notFound\":[";
    json += notFound;
    json.push_back(']');
    return true;
}

}  // namespace

bool appendFileData(const ReviewFile& file, const PageNames& names, std::string& json,
                    std::string& error) {
    SubtitleText before, after;
    ReviewLog log;
    bool hasLog = !file.logPath.empty();
    if (!readSubtitleText(file.beforePath, before, error) ||
        !readSubtitleText(file.afterPath, after, error) ||
        (hasLog && !readReviewLog(file.logPath.c_str(), log, error)))
        return false;
    if (before.count() != after.count()) {
        error = notARepair(file, "it has " + std::to_string(after.count()) + " lines, not " +
                                     std::to_string(before.count()));
        return false;
    }
    if (hasLog && !checkLog(file, log, before, error)) return false;
    json += "{\"name\":";
    appendByteString(json, fileName(file.afterPath));
    json += ",\"before\":";
    appendByteString(json, fileName(file.beforePath));
    json += ",\"hasLog\":";
    json += hasLog ? "true" : "false";
    json += ",\"fixed\":";  // unjam's count of repairs, -1 without a log
    appendNumber(json, log.fixed);
    json += ",\"after\":";
    appendByteString(json, after.bytes);
    json.push_back(',');
    if (!appendLines(file, before, after, log, names, json, error)) return false;
    json.push_back('}');
    return true;
}
