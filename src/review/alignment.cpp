#include "review/alignment.h"

#include <algorithm>
#include <map>

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
// a word's first byte, and is followed by a kept byte (an i dropped next to
// it is taken as dropped before it): a blank after a word's last kept byte
// is the separator that follows the word. A kept byte wins over a dropped i.
char stepInWord(std::string_view word, size_t k, std::string_view after, size_t m) {
    if (m < after.size() && after[m] == word[k]) return '=';
    if (m + 1 < after.size() && after[m] == ' ' && k > 0 && after[m + 1] == word[k]) return '+';
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

// Where a word's walk stands after some of its bytes: in `after`, and the
// state before it (in the layer of one byte less) with the marks between.
struct WalkState {
    size_t m, parent;
    const char* marks;
};

// Every way `word` can be repaired into `after` from `from`: a layer of
// states for each byte of the word (after the "of " of an of-the rewrite).
std::vector<std::vector<WalkState>> walkEveryWay(std::string_view word, std::string_view after,
                                                 size_t from, size_t& first, Encoding encoding) {
    bool ofThe = isOfTheRewrite(word, after.substr(from));
    first = ofThe ? 2 : 0;
    std::vector<std::vector<WalkState>> layers{{{ofThe ? from + 3 : from, 0, ""}}};
    // A blank stands between two characters, never inside one.
    std::vector<bool> between(word.size() + 1, false);
    for (size_t k = 0; k < word.size(); k += classAt(word, k, encoding).length)
        between[k] = true;
    for (size_t k = first; k < word.size() && !layers.back().empty(); ++k) {
        std::vector<WalkState> next;
        auto add = [&next](size_t m, size_t parent, const char* marks) {
            for (const WalkState& state : next)
                if (state.m == m) return;
            next.push_back({m, parent, marks});
        };
        const std::vector<WalkState>& layer = layers.back();
        for (size_t p = 0; p < layer.size(); ++p) {
            size_t m = layer[p].m;
            if (m < after.size() && after[m] == word[k]) add(m + 1, p, "=");
            if (k > 0 && between[k] && m + 1 < after.size() && after[m] == ' ' &&
                after[m + 1] == word[k])
                add(m + 2, p, "+=");
            if (stepInWord(word, k, "", 0) == '-') add(m, p, "-");
        }
        layers.push_back(std::move(next));
    }
    return layers;
}

// The marks of the walk of `word` from `from` that ends at `to`.
std::string marksOfWalk(std::string_view word, std::string_view after, size_t from, size_t to,
                        Encoding encoding) {
    size_t first;
    std::vector<std::vector<WalkState>> layers = walkEveryWay(word, after, from, first, encoding);
    size_t at = 0;
    while (layers.back()[at].m != to)
        ++at;
    std::string marks;
    for (size_t k = layers.size(); k-- > 1;) {
        marks.insert(0, layers[k][at].marks);
        at = layers[k][at].parent;
    }
    if (first == 2)
        marks.insert(0, std::string{word[0] == after[from] ? '=' : '~',
                                    word[1] == after[from + 1] ? '=' : '~', '+'});
    return marks;
}

// A separator, a quote pair or a word of `before`.
struct Token {
    size_t begin, end;
    bool word;
};

// Where in `after` the token's repair can end when it begins at j.
std::vector<size_t> tokenEnds(std::string_view before, const Token& token, std::string_view after,
                              size_t j, Encoding encoding) {
    std::string_view text = before.substr(token.begin, token.end - token.begin);
    if (token.word) {
        size_t first;
        std::vector<std::vector<WalkState>> layers = walkEveryWay(text, after, j, first, encoding);
        std::vector<size_t> ends;
        for (const WalkState& state : layers.back())
            ends.push_back(state.m);
        return ends;
    }
    std::vector<size_t> ends;
    if (text.size() == 2 && j < after.size() && after[j] == '"') ends.push_back(j + 1);
    if (after.substr(j, text.size()) == text) ends.push_back(j + text.size());
    return ends;
}

// The alignment that tries every way, for the lines where the first way
// that fits each word does not fit the line: "stiilliii ok" reads "still
// ii ok", and the blank after "ii" is the separator, not an insertion.
bool alignEveryWay(std::string_view before, std::string_view after, LineChanges& line) {
    const Encoding encoding = encodingOfLine(before);
    std::vector<Token> tokens;
    for (size_t i = 0; i < before.size(); i = tokens.back().end) {
        size_t n = isQuotePair(before, i) ? 2 : wordEndAt(before, i, encoding);
        tokens.push_back({i, n ? i + n : wordEnd(before, i, encoding), n == 0});
    }
    // came[t]: each place in `after` where token t can begin, and where the token before began.
    std::vector<std::map<size_t, size_t>> came(tokens.size() + 1);
    came[0][0] = 0;
    for (size_t t = 0; t < tokens.size(); ++t)
        for (const auto& [j, unused] : came[t])
            for (size_t end : tokenEnds(before, tokens[t], after, j, encoding))
                came[t + 1].emplace(end, j);
    if (!came.back().contains(after.size())) return false;
    std::vector<size_t> starts(tokens.size() + 1, after.size());
    for (size_t t = tokens.size(); t-- > 0;)
        starts[t] = came[t + 1][starts[t + 1]];
    line = LineChanges{{""}, {}};
    for (size_t t = 0; t < tokens.size(); ++t) {
        std::string_view text = before.substr(tokens[t].begin, tokens[t].end - tokens[t].begin);
        std::string_view repaired = after.substr(starts[t], starts[t + 1] - starts[t]);
        if (repaired == text)
            line.common.back().append(text);
        else if (!tokens[t].word)
            addChange(line, Change{std::string(text), "\"", "-~"});
        else
            addChange(line, Change{std::string(text), std::string(repaired),
                                   marksOfWalk(text, after, starts[t], starts[t + 1], encoding)});
    }
    return true;
}

// The first way that fits each word, which is almost always the only one.
bool alignFirstWay(std::string_view before, std::string_view after, LineChanges& line) {
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

}  // namespace

bool alignLine(std::string_view before, std::string_view after, LineChanges& line) {
    return alignFirstWay(before, after, line) || alignEveryWay(before, after, line);
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

bool holdsWholeWord(std::string_view text, std::string_view word) {
    for (size_t at = text.find(word); at != std::string_view::npos; at = text.find(word, at + 1))
        if ((at == 0 || endsWord(text[at - 1])) &&
            (at + word.size() == text.size() || endsWord(text[at + word.size()])))
            return true;
    return false;
}
