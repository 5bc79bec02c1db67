#include "repair/verbatim.h"

#include <array>
#include <string_view>

#include "wordlist/caseforms.h"
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

// The character model's class of an ASCII byte.
CharClass asciiClass(char c) {
    return static_cast<CharClass>(asciiClassTable[static_cast<unsigned char>(c) & 0x7F]);
}

bool isAsciiByte(char c) {
    return static_cast<unsigned char>(c) < 0x80;
}

// Punctuation and symbols around a link belong to the sentence:
// "(www.example.org).", "*Subscene.com*". A run never holds a word end
// beyond ASCII (curly quotes, the ellipsis), which ends it as a blank does.
// An '@' or '#' that opens the run begins a handle or a tag.
bool opensAround(char c) {
    return isAsciiByte(c) && asciiClass(c) == CharClass::wordEnd && c != '@' && c != '#';
}
bool closesAround(char c) {
    return isAsciiByte(c) && asciiClass(c) == CharClass::wordEnd;
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

// A handle or a tag of a credit line ("@SubsPlease", "#subtitles"): an
// '@' or '#' and a letter.
bool isHandle(std::string_view run, Encoding encoding) {
    return run.size() > 1 && (run[0] == '@' || run[0] == '#') &&
           classAt(run, 1, encoding).type == CharClass::letter;
}

// Adds the link or handle that text[from, to), a whole run, holds, without
// the punctuation around it.
void addLink(std::string_view text, size_t from, size_t to, Encoding encoding,
             std::vector<Span>& spans) {
    while (from < to && opensAround(text[from]))
        ++from;
    while (to > from && closesAround(text[to - 1]))
        --to;
    std::string_view run = text.substr(from, to - from);
    if (isHandle(run, encoding) || isLink(run)) spans.push_back({from, to});
}

// The next `byte` at or after `from` (npos when none), remembered so that
// each byte of a line is searched once however often it is asked for: a
// line of many unclosed '<' is still read in one pass.
struct NextByte {
    char byte;
    size_t at = 0;
    bool known = false;
};

size_t findNext(std::string_view text, size_t from, NextByte& next) {
    if (!next.known || (next.at != std::string_view::npos && next.at < from)) {
        next.at = text.find(next.byte, from);
        next.known = true;
    }
    return next.at;
}

bool isLetterByte(char c) {
    return isAsciiByte(c) && asciiClass(c) == CharClass::letter;
}

bool isTagNameByte(char c) {
    return isLetterByte(c) || (isAsciiByte(c) && asciiClass(c) == CharClass::digit) || c == '.' ||
           c == '-' || c == '_' || c == ':';
}

// Prose in angle brackets ("<fill in the blank>", "<door slams>") is no
// tag and is repaired: after its name ("font", "/i", "c.yellow") a tag holds
// nothing but blanks and '/' ("<br />"), or a blank and attributes with an
// '=' ("<font color=red>").
bool isTag(std::string_view text, size_t open, size_t close, NextByte& equals) {
    size_t k = open + 1 + (text[open + 1] == '/');
    while (k < close && isTagNameByte(text[k]))
        ++k;
    size_t nameEnd = k;
    while (k < close && (isBlank(text[k]) || text[k] == '/'))
        ++k;
    return k == close || (isBlank(text[nameEnd]) && findNext(text, k, equals) < close);
}

// Only where markup may begin, or at a '.', ':', '@' or '#', without which
// no run is a link or a handle, is there anything to look at: one table
// read a byte.
inline constexpr std::array<bool, 256> looksTable = [] {
    std::array<bool, 256> looks{};
    for (unsigned char c : std::string_view("<{.:@#"))
        looks[c] = true;
    return looks;
}();

bool startsLook(char c) {
    return looksTable[static_cast<unsigned char>(c)];
}

// A run of the line, where a link is looked for, ends at a blank, an
// apostrophe, where markup may begin and at a word end beyond ASCII (a
// curly quote, the ellipsis, a no-break space): a link holds none of them,
// and "subscene.com's" reads as "subscene.com’s" does. Behind a blank or an
// apostrophe another run begins.
bool startsRun(char c) {
    return isBlank(c) || c == '\'';
}
bool endsRunAscii(char c) {
    return startsRun(c) || c == '<' || c == '{';
}

bool isWordEndAt(std::string_view text, size_t at, Encoding encoding) {
    return classAt(text, at, encoding).type == CharClass::wordEnd;
}

// Where the run holding text[at] ends.
size_t runEnd(std::string_view text, size_t at, Encoding encoding) {
    while (at < text.size()) {
        if (isAsciiByte(text[at])) {
            if (endsRunAscii(text[at])) break;
            ++at;
            continue;
        }
        ClassAt c = classAt(text, at, encoding);
        if (c.type == CharClass::wordEnd) break;
        at += c.length;
    }
    return at;
}

// Where the run holding text[at] begins: at the line's start, behind a
// blank, an apostrophe or a word end beyond ASCII, or behind markup
// (`searched` is the end of the last markup, or of a run looked at). Bytes
// behind a '<' or '{' that begins no markup are in no run: npos.
size_t runStart(std::string_view text, size_t searched, size_t at, Encoding encoding) {
    while (at > searched) {
        char before = text[at - 1];
        if (isAsciiByte(before)) {
            if (startsRun(before)) return at;
            if (endsRunAscii(before)) return std::string_view::npos;
            --at;
            continue;
        }
        size_t start = characterStartBefore(text, searched, at, encoding);
        if (isWordEndAt(text, start, encoding)) return at;
        at = start;
    }
    return at;
}

// A tag: '<' directly followed by a letter or '/', up to the next '>'. An
// override block: "{\" up to the next '}'. Neither ends past the line;
// without its close, '<' is an ordinary byte ("a < b"). Returns the end of
// the markup at `at`, or `at`.
size_t markupEnd(std::string_view text, size_t at, NextByte& tagEnd, NextByte& blockEnd,
                 NextByte& equals) {
    char next = at + 1 < text.size() ? text[at + 1] : '\0';
    size_t close = std::string_view::npos;
    if (text[at] == '<' && (isLetterByte(next) || next == '/')) {
        close = findNext(text, at + 2, tagEnd);
        if (close != std::string_view::npos && !isTag(text, at, close, equals))
            close = std::string_view::npos;
    } else if (text[at] == '{' && next == '\\') {
        close = findNext(text, at + 2, blockEnd);
    }
    return close == std::string_view::npos ? at : close + 1;
}

}  // namespace

std::vector<Span> verbatimSpans(std::string_view text, Encoding encoding) {
    std::vector<Span> spans;
    NextByte tagEnd{'>'}, blockEnd{'}'}, equals{'='};
    const size_t n = text.size();
    size_t searched = 0;  // the end of the last span or run looked at
    for (size_t i = 0; i < n;) {
        while (i < n && !startsLook(text[i]))
            ++i;
        if (i == n) break;
        char c = text[i];
        if (c == '<' || c == '{') {
            size_t end = markupEnd(text, i, tagEnd, blockEnd, equals);
            if (end > i) spans.push_back({i, end});
            i = end > i ? searched = end : i + 1;
        } else {
            size_t to = runEnd(text, i, encoding);
            size_t from = runStart(text, searched, i, encoding);
            if (from != std::string_view::npos) addLink(text, from, to, encoding, spans);
            i = searched = to;
        }
    }
    return spans;
}

bool isSpeakerLabel(std::string_view before, std::string_view word, std::string_view after,
                    Encoding encoding) {
    return after.starts_with(':') && before.find_first_not_of(" -") == std::string_view::npos &&
           isInCapitals(word, encoding);
}
