#include "review/alignment.h"

#include <algorithm>

#include "wordlist/characters.h"
#include "wordlist/chartests.h"

namespace {

bool isQuotePair(std::string_view text, size_t i) {
    return i + 1 < text.size() && (text[i] == '\'' || text[i] == '`') && text[i + 1] == text[i];
}

char lowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 0x20) : c;
}

// The of-the rule writes "of" in lower case whatever the word's case.
bool isOfTheRewrite(std::string_view word, std::string_view after) {
    return word.size() >= 3 && lowerAscii(word[0]) == 'o' && lowerAscii(word[1]) == 'f' &&
           lowerAscii(word[2]) == 't' && after.substr(0, 3) == "of " && word.substr(0, 2) != "of";
}

// The mark of the next step inside `word` at k against `after` at m, or 0
// when no rule explains the bytes there. A blank is never inserted before
// a word's first byte; a kept byte wins over a dropped i.
char stepInWord(std::string_view word, size_t k, std::string_view after, size_t m) {
    if (m < after.size() && after[m] == word[k]) return '=';
    if (m < after.size() && after[m] == ' ' && k > 0) return '+';
    bool pairedI = word[k] == 'i' &&
                   ((k > 0 && word[k - 1] == 'i') || (k + 1 < word.size() && word[k + 1] == 'i'));
    return pairedI ? '-' : 0;
}

// Walks `word` (in `encoding`) against `after` from m on; returns the marks,
// and in m where the word's repair ends, or false when it cannot be a
// repair. A blank stands between two characters, never inside one, so
// every run of one mark holds whole characters.
bool walkWord(std::string_view word, std::string_view after, size_t& m, std::string& marks,
              Encoding encoding) {
    size_t k = 0;
    marks.clear();
    if (isOfTheRewrite(word, after.substr(m))) {
        for (; k < 2; ++k)
            marks.push_back(word[k] == after[m + k] ? '=' : '~');
        marks.push_back('+');
        m += 3;
    }
    for (size_t next = k; k < word.size(); ++k) {
        bool between = k == next;  // two characters
        if (between) next += classAt(word, k, encoding).length;
        char mark = stepInWord(word, k, after, m);
        if (mark == '+') {  // one blank between two pieces
            if (!between) return false;
            marks.push_back('+');
            mark = stepInWord(word, k, after, ++m);
        }
        if (!mark || mark == '+') return false;
        marks.push_back(mark);
        if (mark == '=') ++m;
    }
    return true;
}

size_t wordEnd(std::string_view text, size_t i) {
    while (i < text.size() && !endsWord(text[i]))
        ++i;
    return i;
}

// The length of the character at text[i] when it ends a word, as the repair
// reads it (punctuation, symbols, spaces, apostrophes, digits); else 0.
size_t wordEndAt(std::string_view text, size_t i, Encoding encoding) {
    ClassAt c = classAt(text, i, encoding);
    return c.type == CharClass::wordEnd || c.type == CharClass::digit ? c.length : 0;
}

size_t wordEnd(std::string_view text, size_t i, Encoding encoding) {
    while (i < text.size() && !wordEndAt(text, i, encoding))
        i += classAt(text, i, encoding).length;
    return std::min(i, text.size());
}

void addChange(LineChanges& line, Change change) {
    line.changes.push_back(std::move(change));
    line.common.emplace_back();
}

}  // namespace

bool alignLine(std::string_view before, std::string_view after, LineChanges& line) {
    line = LineChanges{{""}, {}};
    const Encoding encoding = encodingOfLine(before);
    size_t i = 0, j = 0;
    std::string marks;
    while (i < before.size()) {
        if (isQuotePair(before, i) && j < after.size() && after[j] == '"') {
            addChange(line, Change{std::string(before.substr(i, 2)), "\"", "-~"});
            i += 2;
            ++j;
        } else if (size_t n = wordEndAt(before, i, encoding)) {
            if (after.substr(j, n) != before.substr(i, n)) return false;
            line.common.back().append(before.substr(i, n));
            i += n;
            j += n;
        } else {
            size_t end = wordEnd(before, i, encoding), from = j;
            std::string_view word = before.substr(i, end - i);
            if (!walkWord(word, after, j, marks, encoding)) return false;
            std::string_view repaired = after.substr(from, j - from);
            if (repaired == word)
                line.common.back().append(word);
            else
                addChange(line, Change{std::string(word), std::string(repaired), marks});
            i = end;
        }
    }
    return j == after.size();
}

bool holdsReportedWord(std::string_view text, std::string_view word) {
    if (text.find(word) != std::string_view::npos) return true;
    std::string marks;
    for (size_t s = 0; s < text.size(); ++s) {
        // The word reported is the "after" of a stretch of the text.
        size_t k = s, m = 0;
        while (m < word.size() && k < text.size() && !endsWord(text[k])) {
            char mark = stepInWord(text.substr(s, wordEnd(text, s) - s), k - s, word, m);
            if (!mark) break;
            if (mark != '-') ++m;
            if (mark != '+') ++k;
        }
        if (m == word.size()) return true;
    }
    return false;
}
