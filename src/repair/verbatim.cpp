#include "repair/verbatim.h"

#include <string_view>

#include "wordlist/chartests.h"

namespace {

// Top-level domains that end a link ("Subscene.com"). A run that ends in
// one of them is copied whole, so none may be an English word: two-letter
// domains such as in, it, is, me, us, to, so, no, at and be would make a
// sentence end with a missing blank ("home.In") a link and leave its joins
// unrepaired. A link under another domain still counts when it begins with
// "www." or holds "://" or an '@'.
const char* const topLevelDomains[] = {
    "com", "net", "org", "edu", "gov", "mil", "info", "biz", "io", "tv", "co", "uk", "ru",
    "de",  "fr",  "pl",  "ro",  "nl",  "cz",  "gr",   "br",  "ca", "au", "jp", "cn"};

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

// A run of the line, where a link is looked for, ends at a blank and where
// markup may begin: a link holds neither.
bool endsRun(char c) {
    return isBlank(c) || c == '<' || c == '{';
}

// Punctuation around a link that belongs to the sentence: "(www.example.org)."
bool opensAround(char c) {
    return c == '(' || c == '[' || c == '"' || c == '\'' || c == '`';
}
bool closesAround(char c) {
    for (char p : std::string_view(".,;:!?)]\"'`"))
        if (c == p) return true;
    return false;
}

bool isTopLevelDomain(std::string_view name) {
    for (const char* domain : topLevelDomains)
        if (sameIgnoringCase(name, domain)) return true;
    return false;
}

bool isLink(std::string_view run) {
    if (run.find("://") != std::string_view::npos) return true;
    if (run.size() > 4 && sameIgnoringCase(run.substr(0, 4), "www.")) return true;
    size_t at = run.find('@');
    if (at != std::string_view::npos && at > 0 && run.find('.', at + 2) != std::string_view::npos)
        return true;  // an e-mail address; its last byte is no dot, that is outside
    size_t dot = run.rfind('.');
    return dot != std::string_view::npos && dot > 0 && isTopLevelDomain(run.substr(dot + 1));
}

// The link held by the run that begins at `at`, without the punctuation
// around it; an empty span at the run's end when it holds none.
Span linkAt(std::string_view text, size_t at) {
    size_t end = at;
    while (end < text.size() && !endsRun(text[end]))
        ++end;
    size_t from = at, to = end;
    while (from < to && opensAround(text[from]))
        ++from;
    while (to > from && closesAround(text[to - 1]))
        --to;
    if (isLink(text.substr(from, to - from))) return {from, to};
    return {end, end};
}

// The next `close` at or after `from`, remembered so that a line of many
// unclosed '<' is still read in one pass.
struct NextClose {
    char close;
    size_t at = 0;
    bool known = false;
};

size_t findClose(std::string_view text, size_t from, NextClose& next) {
    if (!next.known || (next.at != std::string_view::npos && next.at < from)) {
        next.at = text.find(next.close, from);
        next.known = true;
    }
    return next.at;
}

bool isTagNameByte(char c) {
    return isAsciiLetter(c) || isDigitChar(c) || c == '.' || c == '-' || c == '_' || c == ':';
}

// Prose in angle brackets ("<fill in the blank>", "<door slams>") is no
// tag and is repaired: after its name ("font", "/i", "c.yellow") a tag holds
// nothing but blanks and '/' ("<br />"), or a blank and attributes with an
// '=' ("<font color=red>").
bool isTag(std::string_view text, size_t open, size_t close, NextClose& equals) {
    size_t k = open + 1 + (text[open + 1] == '/');
    while (k < close && isTagNameByte(text[k]))
        ++k;
    size_t nameEnd = k;
    while (k < close && (isBlank(text[k]) || text[k] == '/'))
        ++k;
    return k == close || (isBlank(text[nameEnd]) && findClose(text, k, equals) < close);
}

}  // namespace

std::vector<Span> verbatimSpans(std::string_view text) {
    std::vector<Span> spans;
    NextClose tagEnd{'>'}, blockEnd{'}'}, equals{'='};
    bool runStart = true;
    for (size_t i = 0; i < text.size();) {
        if (runStart) {
            runStart = false;
            Span link = linkAt(text, i);
            if (link.to > link.from) {
                spans.push_back(link);
                i = link.to;
                continue;
            }
        }
        // A tag: '<' directly followed by a letter or '/', up to the next
        // '>'. An override block: "{\" up to the next '}'. Neither ends
        // past the line; without its close, '<' is an ordinary byte ("a < b").
        char next = i + 1 < text.size() ? text[i + 1] : '\0';
        size_t close = std::string_view::npos;
        if (text[i] == '<' && (isAsciiLetter(next) || next == '/')) {
            close = findClose(text, i + 2, tagEnd);
            if (close != std::string_view::npos && !isTag(text, i, close, equals))
                close = std::string_view::npos;
        } else if (text[i] == '{' && next == '\\') {
            close = findClose(text, i + 2, blockEnd);
        }
        if (close != std::string_view::npos) {
            spans.push_back({i, close + 1});
            i = close + 1;
            runStart = true;
            continue;
        }
        runStart = isBlank(text[i]);
        ++i;
    }
    return spans;
}
