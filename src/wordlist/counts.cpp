#include "wordlist/counts.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <vector>

#include "driver/messages.h"
#include "wordlist/keyhash.h"
#include "wordlist/lookup.h"
#include "wordlist/profile.h"
#include "wordlist/wordfile.h"

namespace {

// Each counted word is held as the hash of its key (keyhash.h) with the
// score it adds to a reading beside it, worked out once when the counts are
// read: 16 bytes a slot, at most half the slots used.
std::vector<uint64_t> slots;  // 0: empty
std::vector<double> scores;
size_t slotMask = 0;
double logTotal = 0;    // of all the counts, plus one
double unmetScore = 0;  // of a listed word with no count

// A reading pays this for every piece beyond what its words' probabilities
// already cost, so that of two readings about as likely the one with fewer
// pieces wins.
constexpr double pieceCost = 1.0;

constexpr uint64_t largestCount = 4294967295u;

// The next line of `text` (ended by CR LF, LF or CR), taken off its front.
std::string_view takeLine(std::string_view& text) {
    size_t end = text.find_first_of("\r\n");
    std::string_view line = text.substr(0, end);
    if (end == std::string_view::npos) {
        text = {};
    } else {
        size_t after = text.compare(end, 2, "\r\n") == 0 ? end + 2 : end + 1;
        text.remove_prefix(after);
    }
    return line;
}

// GCC 12 warns falsely of "'" + std::string(...) (a restrict overlap).
std::string quoted(std::string_view text) {
    std::string q(1, '\'');
    q.append(text);
    q += '\'';
    return q;
}

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view takeField(std::string_view& line) {
    while (!line.empty() && isBlank(line.front()))
        line.remove_prefix(1);
    size_t end = 0;
    while (end < line.size() && !isBlank(line[end]))
        ++end;
    std::string_view field = line.substr(0, end);
    line.remove_prefix(end);
    return field;
}

bool holdsControlByte(std::string_view line) {
    for (char c : line)
        if (static_cast<unsigned char>(c) < 0x20 && c != '\t') return true;
    return false;
}

// The count a field spells; false when it is no whole number in range.
bool readCount(std::string_view field, uint64_t& count) {
    if (field.empty() || field.size() > 10) return false;
    count = 0;
    for (char c : field) {
        if (c < '0' || c > '9') return false;
        count = count * 10 + static_cast<uint64_t>(c - '0');
    }
    return count <= largestCount;
}

// What is wrong with one line; empty when it is right. A right line's word
// and count are returned through `word` and `count`.
std::string checkLine(std::string_view line, std::string_view& word, uint64_t& count) {
    if (holdsControlByte(line)) return "a control character (is the file text, in UTF-8?)";
    if (!isAscii(line) && encodingOfLine(line) != Encoding::utf8) return "not UTF-8";
    word = takeField(line);
    std::string_view number = takeField(line);
    if (number.empty() || !takeField(line).empty()) return "expected a word and its count";
    if (!readCount(number, count))
        return quoted(number) + " is not a count (a whole number from 0 to " +
               std::to_string(largestCount) + ")";
    if (!startsWithLetter(word, Encoding::utf8) ||
        !inDictEncoded(word.data(), word.size(), Encoding::utf8))
        return quoted(word) + " is not a word of the list";
    return "";
}

size_t slotOf(uint64_t hash) {
    return slotOfHash(slots, slotMask, hash);
}

// A word's part of a reading's score: its log-probability (half a count for
// one never met) less the cost of a piece.
double scoreOfCount(double count) {
    return std::log(count + 0.5) - logTotal - pieceCost;
}

}  // namespace

bool parseWordCounts(std::string_view text, std::string& error) {
    clearWordCounts();
    size_t size = tableSizeFor(static_cast<size_t>(std::count(text.begin(), text.end(), '\n')) +
                               static_cast<size_t>(std::count(text.begin(), text.end(), '\r')) + 1);
    slots.assign(size, 0);
    scores.assign(size, 0);
    slotMask = size - 1;
    std::vector<uint32_t> lineOfSlot(size, 0);
    uint64_t total = 0;
    uint32_t number = 0;
    while (!text.empty()) {
        std::string_view line = takeLine(text);
        ++number;
        std::string_view probe = line;
        if (line.empty() || line.front() == '#' || takeField(probe).empty()) continue;
        std::string_view word;
        uint64_t count = 0;
        std::string why = checkLine(line, word, count);
        uint64_t hash = why.empty() ? hashOfWord(word, Encoding::utf8) : 0;
        size_t at = why.empty() ? slotOf(hash) : 0;
        if (why.empty() && slots[at] != 0)
            why = quoted(word) + " is counted twice (first on line " +
                  std::to_string(lineOfSlot[at]) + ")";
        if (!why.empty()) {
            clearWordCounts();
            error = "line " + std::to_string(number) + ": " + why;
            return false;
        }
        slots[at] = hash;
        scores[at] = static_cast<double>(count);
        lineOfSlot[at] = number;
        total += count;
    }
    if (total == 0) {
        clearWordCounts();
        error = "it holds no counts";
        return false;
    }
    logTotal = std::log(static_cast<double>(total) + 1);
    for (size_t at = 0; at < size; ++at)
        if (slots[at] != 0) scores[at] = scoreOfCount(scores[at]);
    unmetScore = scoreOfCount(0);
    return true;
}

void clearWordCounts() {
    slots.clear();
    slots.shrink_to_fit();
    scores.clear();
    scores.shrink_to_fit();
    slotMask = 0;
    logTotal = 0;
}

void loadWordCountsFile(const std::string& path) {
    FILE* f = openFileBesideWords(path, "word counts");
    std::string text = readWordFileBytes(f);
    std::fclose(f);
    std::string error;
    if (utf16Encoding(text))
        error = "it is in UTF-16; save it in UTF-8";
    else if (parseWordCounts(text, error))
        return;
    fail("Malformed word counts " + path + ": " + error);
}

void loadWordCounts() {
    clearWordCounts();
    std::string path = fileBesideWords(".counts");
    if (!path.empty()) loadWordCountsFile(path);
}

bool haveWordCounts() {
    return !slots.empty();
}

double shareOfWords(std::string_view word, Encoding encoding) {
    if (slots.empty()) return 0;
    size_t at = slotOf(hashOfWord(word, encoding));
    if (slots[at] == 0) return 0;
    double count = std::exp(scores[at] + pieceCost + logTotal) - 0.5;
    return count / (std::exp(logTotal) - 1);
}

bool choosesLikeliest() {
    return haveWordCounts() && !activeProfile.longestFirst;
}

double unlistedWordScore(size_t characters) {
    if (activeProfile.unlistedCost <= 0) return -std::numeric_limits<double>::infinity();
    constexpr double unlistedShare = -3.0;  // ln(1/20)
    return unlistedShare - activeProfile.unlistedCost * static_cast<double>(characters);
}

bool mayBeRarerThanUnlisted(size_t pieces, size_t characters) {
    return static_cast<double>(pieces) * unmetScore < unlistedWordScore(characters);
}

double readingScore(std::string_view text, double score) {
    while (!text.empty()) {
        size_t end = text.find(' ');
        std::string_view piece = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (piece.empty()) continue;
        size_t at = slotOf(hashOfWord(piece, lineEncoding));
        score += slots[at] != 0 ? scores[at] : unmetScore;
    }
    return score;
}
