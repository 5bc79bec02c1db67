#include "repair/contractions.h"

#include <cstring>
#include <string>

#include "repair/counters.h"
#include "repair/trials.h"
#include "wordlist/characters.h"
#include "wordlist/chartests.h"
#include "wordlist/profile.h"

namespace {

// ’ and ‘ in UTF-8.
constexpr size_t longestApostrophe = 3;

bool isAscii(char c) {
    return static_cast<unsigned char>(c) < 0x80;
}

// Whether the character that ends at text[end - 1] is a letter (or a mark
// on one), reading no further back than `from`.
bool isLetterBefore(std::string_view text, size_t from, size_t end) {
    if (end <= from) return false;
    if (isAscii(text[end - 1])) return isAsciiLetter(text[end - 1]);
    size_t start = characterStartBefore(text, from, end, lineEncoding);
    CharClass type = classAt(text, start, lineEncoding).type;
    return type == CharClass::letter || type == CharClass::mark;
}

// Every letter a capital ("I'MGOING"): a small letter beyond ASCII
// ("MGOINGé", "Mλόγος") or one with no case makes it no word in capitals.
bool inCapitals(std::string_view word) {
    for (size_t at = 0; at < word.size();) {
        Character c = decodeCharacter(word, at, lineEncoding);
        if (classOf(c.code) == CharClass::letter && !isCapitalLetter(c.code)) return false;
        at += c.length;
    }
    return true;
}

// The ending in the word's own case: small, or capital in a word of capitals.
bool beginsWith(std::string_view word, std::string_view ending, bool capitals) {
    if (word.size() < ending.size()) return false;
    for (size_t k = 0; k < ending.size(); ++k)
        if (word[k] != (capitals ? toUpperAscii(ending[k]) : ending[k])) return false;
    return true;
}

}  // namespace

size_t apostropheLengthAt(std::string_view text, size_t at) {
    if (at >= text.size() || isAscii(text[at])) return at < text.size() && text[at] == '\'' ? 1 : 0;
    return apostropheAt(text, at, lineEncoding);
}

size_t apostropheLengthBefore(std::string_view text, size_t from, size_t end) {
    if (end <= from) return 0;
    if (isAscii(text[end - 1])) return text[end - 1] == '\'' ? 1 : 0;
    Encoding encoding = lineEncoding;
    for (size_t length = 1; length <= longestApostrophe && length <= end - from; ++length)
        if (apostropheAt(text, end - length, encoding) == length) return length;
    return 0;
}

bool followsContraction(std::string_view text, size_t from, size_t start) {
    size_t apostrophe = apostropheLengthBefore(text, from, start);
    return apostrophe > 0 && isLetterBefore(text, from, start - apostrophe);
}

std::string_view wordBeforeApostrophe(std::string_view text, size_t from, size_t start) {
    size_t end = start - apostropheLengthBefore(text, from, start), begin = end;
    while (begin > from && isLetterBefore(text, from, begin))
        begin = isAscii(text[begin - 1]) ? begin - 1
                                         : characterStartBefore(text, from, begin, lineEncoding);
    return text.substr(begin, end - begin);
}

bool followsOpeningApostrophe(std::string_view text, size_t from, size_t start) {
    if (activeProfile.proclitics.empty()) return false;
    size_t apostrophe = apostropheLengthBefore(text, from, start);
    return apostrophe > 0 && !isLetterBefore(text, from, start - apostrophe);
}

size_t contractionEnding(std::string_view word) {
    bool capitals = inCapitals(word);
    for (std::string_view ending : activeProfile.endings)
        if (beginsWith(word, ending, capitals)) return ending.size();
    return 0;
}

size_t leadingEnding(std::string_view word, const LineRepair& call) {
    if (call.afterContraction) return contractionEnding(word);
    if (!call.afterOpeningApostrophe) return 0;
    bool capitals = inCapitals(word);
    size_t longest = 0;
    for (std::string_view proclitic : activeProfile.proclitics)
        if (proclitic.size() > longest && beginsWith(word, proclitic, capitals))
            longest = proclitic.size();
    return longest;
}

size_t splitContraction(char* word, LineRepair& call) {
    std::string_view text(word);
    size_t at = leadingEnding(text, call);
    // An ending alone never comes here: the walk keeps it. A combining mark
    // after the ending belongs to its last letter, so no rest begins there.
    if (at == 0 || at == text.size() || !isSplitPoint(text, at, lineEncoding)) return 0;
    char* rest = word + at;
    std::string tail;
    bool repaired = holdsPiece(rest, text.size() - at, call);
    if (repaired)
        tail = rest;
    else
        tail = runTrial(rest, repaired, call.beforeApostrophe);
    if (!repaired) return 0;
    call.fixed = true;
    ++fixedCount;
    call.chosenSplit.assign(word, at).append(" ").append(tail);
    call.result += call.chosenSplit;
    return at;
}
