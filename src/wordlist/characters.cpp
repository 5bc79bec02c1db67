#include "wordlist/characters.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <utility>
#include <vector>

namespace {

constexpr char32_t replacementCharacter = 0xFFFD;

unsigned char byteAt(std::string_view text, size_t at) {
    return static_cast<unsigned char>(text[at]);
}

// The length of the valid UTF-8 sequence at text[at], 0 when none starts
// there. The second byte's range excludes overlong forms, surrogates and
// code points above U+10FFFF.
size_t validSequenceLength(std::string_view text, size_t at) {
    unsigned char lead = byteAt(text, at);
    if (lead < 0x80) return 1;
    if (lead < 0xC2 || lead > 0xF4) return 0;
    size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
    if (at + length > text.size()) return 0;
    unsigned char low = lead == 0xE0 ? 0xA0 : lead == 0xF0 ? 0x90 : 0x80;
    unsigned char high = lead == 0xED ? 0x9F : lead == 0xF4 ? 0x8F : 0xBF;
    unsigned char second = byteAt(text, at + 1);
    if (second < low || second > high) return 0;
    for (size_t k = 2; k < length; ++k)
        if ((byteAt(text, at + k) & 0xC0) != 0x80) return 0;
    return length;
}

// 0x80 to 0x9F; from 0xA0 up the code page is Latin-1.
constexpr char16_t windows1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

// The value of the run that holds `code` in runs of (code << shift | value).
uint32_t runValue(const uint32_t* runs, size_t count, char32_t code, int shift) {
    uint32_t mask = (uint32_t{1} << shift) - 1;
    const uint32_t* after = std::upper_bound(runs, runs + count, (code << shift) | mask);
    return after[-1] & mask;
}

int combiningClass(char32_t code) {
    if (code < 0x300) return 0;
    return static_cast<int>(runValue(combiningRuns, combiningRunCount, code, 8));
}

// Hangul syllables are composed and decomposed by arithmetic, not by table.
constexpr char32_t hangulFirst = 0xAC00, leadFirst = 0x1100, vowelFirst = 0x1161,
                   trailFirst = 0x11A7;
constexpr char32_t vowelCount = 21, trailCount = 28, syllableCount = 11172;

const Decomposition* decompositionOf(char32_t code) {
    const Decomposition* end = decompositions + decompositionCount;
    const Decomposition* found = std::lower_bound(
        decompositions, end, code, [](const Decomposition& d, char32_t c) { return d.code < c; });
    return found != end && found->code == code ? found : nullptr;
}

void decomposeInto(char32_t code, std::u32string& out) {
    if (code >= hangulFirst && code < hangulFirst + syllableCount) {
        char32_t s = code - hangulFirst;
        out += leadFirst + s / (vowelCount * trailCount);
        out += vowelFirst + s % (vowelCount * trailCount) / trailCount;
        if (s % trailCount != 0) out += trailFirst + s % trailCount;
    } else if (const Decomposition* d = decompositionOf(code)) {
        decomposeInto(d->first, out);
        if (d->second != 0) decomposeInto(d->second, out);
    } else {
        out += code;
    }
}

// NFD: every character decomposed, each run of combining marks in the
// canonical order of their classes.
std::u32string decomposeCanonical(std::u32string_view text) {
    std::u32string out;
    for (char32_t code : text)
        decomposeInto(code, out);
    for (size_t i = 0; i < out.size();) {
        size_t end = i;
        while (end < out.size() && combiningClass(out[end]) != 0)
            ++end;
        std::stable_sort(out.begin() + i, out.begin() + end, [](char32_t a, char32_t b) {
            return combiningClass(a) < combiningClass(b);
        });
        i = end + 1;
    }
    return out;
}

// The pairs that compose, from the decompositions not excluded: (first,
// second) -> composite, sorted.
using CompositionPair = std::pair<uint64_t, char32_t>;
const std::vector<CompositionPair>& compositions() {
    static const std::vector<CompositionPair> pairs = [] {
        std::vector<CompositionPair> made;
        for (size_t k = 0; k < decompositionCount; ++k) {
            const Decomposition& d = decompositions[k];
            if (d.second != 0 && !d.excluded)
                made.emplace_back(uint64_t{d.first} << 32 | d.second, d.code);
        }
        std::sort(made.begin(), made.end());
        return made;
    }();
    return pairs;
}

// The composite of two characters, 0 when they do not compose.
char32_t composePair(char32_t first, char32_t second) {
    if (first >= leadFirst && first < leadFirst + 19 && second >= vowelFirst &&
        second < vowelFirst + vowelCount)
        return hangulFirst +
               ((first - leadFirst) * vowelCount + (second - vowelFirst)) * trailCount;
    if (first >= hangulFirst && first < hangulFirst + syllableCount &&
        (first - hangulFirst) % trailCount == 0 && second > trailFirst &&
        second < trailFirst + trailCount)
        return first + (second - trailFirst);
    const auto& pairs = compositions();
    uint64_t key = uint64_t{first} << 32 | second;
    auto found = std::lower_bound(pairs.begin(), pairs.end(), CompositionPair{key, 0});
    return found != pairs.end() && found->first == key ? found->second : 0;
}

char32_t foldSimple(char32_t code) {
    const SimpleFold* end = simpleFolds + simpleFoldCount;
    const SimpleFold* after = std::upper_bound(
        simpleFolds, end, code, [](char32_t c, const SimpleFold& f) { return c < f.first; });
    if (after == simpleFolds) return code;
    const SimpleFold& run = after[-1];
    char32_t offset = code - run.first;
    if (offset % static_cast<char32_t>(run.stride) != 0 ||
        offset / static_cast<char32_t>(run.stride) >= static_cast<char32_t>(run.count))
        return code;
    return static_cast<char32_t>(static_cast<int64_t>(code) + run.delta);
}

void appendFolded(char32_t code, std::u32string& out) {
    if (code < 0x80) {
        out += (code >= 'A' && code <= 'Z') ? code + 0x20 : code;
        return;
    }
    const FullFold* end = fullFolds + fullFoldCount;
    const FullFold* found = std::lower_bound(
        fullFolds, end, code, [](const FullFold& f, char32_t c) { return f.code < c; });
    if (found != end && found->code == code) {
        for (char32_t to : found->to)
            if (to != 0) out += to;
        return;
    }
    out += foldSimple(code);
}

bool eightAscii(const char* at) {
    uint64_t eight;
    std::memcpy(&eight, at, 8);
    return (eight & 0x8080808080808080ULL) == 0;
}

// Where the first byte above 0x7F is, or the text's size: eight bytes at a
// time (the last eight may overlap the eight before), since most lines are
// ASCII throughout.
size_t asciiPrefix(std::string_view text) {
    size_t at = 0, n = text.size();
    if (n >= 8) {
        while (at + 8 <= n && eightAscii(text.data() + at))
            at += 8;
        if (at + 8 > n && eightAscii(text.data() + n - 8)) return n;
    }
    while (at < n && byteAt(text, at) < 0x80)
        ++at;
    return at;
}

bool isValidUtf8From(std::string_view text, size_t at) {
    while (at < text.size()) {
        size_t length = validSequenceLength(text, at);
        if (length == 0) return false;
        at += length;
    }
    return true;
}

}  // namespace

Encoding lineEncoding = Encoding::utf8;

bool isAscii(std::string_view text) {
    return asciiPrefix(text) == text.size();
}

bool isValidUtf8(std::string_view text) {
    return isValidUtf8From(text, asciiPrefix(text));
}

Encoding encodingOfLine(std::string_view line) {
    size_t at = asciiPrefix(line);
    if (at == line.size()) return Encoding::ascii;
    return isValidUtf8From(line, at) ? Encoding::utf8 : Encoding::windows1252;
}

const char* utf16Encoding(std::string_view start) {
    if (start.starts_with("\xff\xfe") || start.starts_with("\xfe\xff")) return "UTF-16";
    // The first line ends at any line end, or at the 0x1A that ends the text.
    size_t nul = start.substr(0, start.find_first_of("\r\n\x1a")).find('\0');
    if (nul == std::string_view::npos) return nullptr;
    // A character of ASCII is a NUL and its byte, the NUL first in big-endian order.
    return nul % 2 == 0 ? "UTF-16BE" : "UTF-16LE";
}

bool looksLikeUtf16(std::string_view start) {
    return utf16Encoding(start) != nullptr;
}

CharClass classOf(char32_t code) {
    if (code < 0x80) return static_cast<CharClass>(asciiClassTable[code]);
    if (code > 0x10FFFF) return CharClass::other;
    return static_cast<CharClass>(runValue(classRuns, classRunCount, code, 3));
}

char32_t fromWindows1252(unsigned char byte) {
    return byte >= 0x80 && byte < 0xA0 ? windows1252High[byte - 0x80] : byte;
}

Character decodeCharacter(std::string_view text, size_t at, Encoding encoding) {
    unsigned char lead = byteAt(text, at);
    if (encoding == Encoding::windows1252) return {fromWindows1252(lead), 1};
    size_t length = validSequenceLength(text, at);
    if (length == 0) return {replacementCharacter, 1};
    if (length == 1) return {lead, 1};
    char32_t code = lead & (0xFF >> (length + 1));
    for (size_t k = 1; k < length; ++k)
        code = code << 6 | (byteAt(text, at + k) & 0x3F);
    return {code, static_cast<uint32_t>(length)};
}

ClassAt classAtSlow(std::string_view text, size_t at, Encoding encoding) {
    Character c = decodeCharacter(text, at, encoding);
    return {classOf(c.code), c.length};
}

size_t characterStartBefore(std::string_view text, size_t from, size_t end, Encoding encoding) {
    size_t start = end - 1;
    if (encoding == Encoding::utf8)
        while (start > from && end - start < 4 && (byteAt(text, start) & 0xC0) == 0x80)
            --start;
    return start;
}

bool startsWithLetter(std::string_view text, Encoding encoding) {
    return !text.empty() && classAt(text, 0, encoding).type == CharClass::letter;
}

size_t characterCount(std::string_view text, Encoding encoding) {
    if (encoding != Encoding::utf8) return text.size();
    return static_cast<size_t>(std::count_if(text.begin(), text.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
}

bool isSplitPoint(std::string_view text, size_t at, Encoding encoding) {
    if (byteAt(text, at) < 0x80) return true;
    if (encoding == Encoding::utf8 && (byteAt(text, at) & 0xC0) == 0x80) return false;
    return classAtSlow(text, at, encoding).type != CharClass::mark;
}

bool isApostrophe(char32_t code) {
    return code == '\'' || code == 0x2019 || code == 0x2018 || code == 0x02BC;
}

size_t apostropheAt(std::string_view text, size_t at, Encoding encoding) {
    if (byteAt(text, at) < 0x80) return text[at] == '\'' ? 1 : 0;
    Character c = decodeCharacter(text, at, encoding);
    return isApostrophe(c.code) ? c.length : 0;
}

bool isCapitalLetter(char32_t code) {
    if (code < 0x80) return code >= 'A' && code <= 'Z';
    if (classOf(code) != CharClass::letter) return false;
    // Small letters that fold to another small one (µ ſ ς ϐ ẛ, old
    // Cyrillic forms) or, in Cherokee, to a capital.
    static constexpr char32_t smallFolding[][2] = {
        {0xB5, 0xB5},     {0x17F, 0x17F},   {0x3C2, 0x3C2},   {0x3D0, 0x3D1},
        {0x3D5, 0x3D6},   {0x3F0, 0x3F1},   {0x3F5, 0x3F5},   {0x13F8, 0x13FD},
        {0x1C80, 0x1C88}, {0x1E9B, 0x1E9B}, {0x1FBE, 0x1FBE}, {0xAB70, 0xABBF}};
    for (const auto& range : smallFolding)
        if (code >= range[0] && code <= range[1]) return false;
    if (foldSimple(code) != code) return true;
    // Capitals that fold only to two or three characters: İ, ẞ and the
    // Greek capitals with iota subscript. (ß folds to two as well, small.)
    return code == 0x130 || code == 0x1E9E ||
           (code >= 0x1F88 && code <= 0x1FAF && (code & 0xF) >= 8) || code == 0x1FBC ||
           code == 0x1FCC || code == 0x1FFC;
}

std::u32string foldCase(std::u32string_view text) {
    std::u32string out;
    for (char32_t code : text)
        appendFolded(code, out);
    return out;
}

std::u32string composeCanonical(std::u32string_view text) {
    std::u32string s = decomposeCanonical(text);
    if (s.empty()) return s;
    // A character composes with the last starter unless a character between
    // them has a class as high as its own (or is a starter itself).
    size_t starter = 0;
    int lastClass = combiningClass(s[0]) == 0 ? 0 : 256;
    size_t kept = 1;
    for (size_t i = 1; i < s.size(); ++i) {
        char32_t c = s[i];
        int cls = combiningClass(c);
        char32_t composite = composePair(s[starter], c);
        if (composite != 0 && (lastClass < cls || lastClass == 0)) {
            s[starter] = composite;
            continue;
        }
        if (cls == 0) starter = kept;
        lastClass = cls;
        s[kept++] = c;
    }
    s.resize(kept);
    return s;
}

std::u32string decodeText(std::string_view text, Encoding encoding) {
    std::u32string out;
    for (size_t at = 0; at < text.size();) {
        Character c = decodeCharacter(text, at, encoding);
        out += c.code;
        at += c.length;
    }
    return out;
}

void appendUtf8(std::string& out, char32_t code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | code >> 6);
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | code >> 12);
        out += static_cast<char>(0x80 | (code >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | code >> 18);
        out += static_cast<char>(0x80 | (code >> 12 & 0x3F));
        out += static_cast<char>(0x80 | (code >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

std::string toUtf8(std::string_view text, Encoding encoding) {
    if (isAscii(text) || (encoding == Encoding::utf8 && isValidUtf8(text)))
        return std::string(text);
    std::string out;
    for (char32_t code : decodeText(text, encoding))
        appendUtf8(out, code);
    return out;
}

namespace {

// Folding can leave a character that decomposes (ᾈ to ἀι), so the folded
// text is decomposed again before it is composed.
std::string keyOfCodes(const std::u32string& codes) {
    std::string key;
    for (char32_t code : composeCanonical(foldCase(decomposeCanonical(codes))))
        appendUtf8(key, code);
    return key;
}

// Below this (the Latin alphabets) no character composes with one that
// follows it, as only marks do, which stand higher: a word of such
// characters is keyed character by character. Lists of a million words
// beyond ASCII load in a fraction of the time so.
constexpr char32_t latinEnd = 0x250;

const std::string& latinKey(char32_t code) {
    static std::array<std::string, latinEnd> keys;
    static std::array<bool, latinEnd> known{};
    if (!known[code]) {
        keys[code] = keyOfCodes(std::u32string(1, code));
        known[code] = true;
    }
    return keys[code];
}

}  // namespace

std::string lookupKey(std::string_view word, Encoding encoding) {
    std::string key;
    if (isAscii(word)) {
        key.assign(word);
        for (char& c : key)
            if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 0x20);
        return key;
    }
    for (size_t at = 0; at < word.size();) {
        Character c = decodeCharacter(word, at, encoding);
        if (c.code >= latinEnd) return keyOfCodes(decodeText(word, encoding));
        key += latinKey(c.code);
        at += c.length;
    }
    return key;
}
