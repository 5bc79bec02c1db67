#include "names/sentences.h"

#include "wordlist/chartests.h"

namespace {

// Titles written with a period that a name follows.
const char* const titles[] = {"mr",  "mrs", "ms",   "dr",  "prof", "st",
                              "sgt", "lt",  "capt", "col", "gen",  "rev"};

bool sameIgnoringCase(std::string_view word, std::string_view lower) {
    if (word.size() != lower.size()) return false;
    for (size_t k = 0; k < word.size(); ++k)
        if (toUpperAscii(word[k]) != toUpperAscii(lower[k])) return false;
    return true;
}

bool isTitle(std::string_view word) {
    for (const char* title : titles)
        if (sameIgnoringCase(word, title)) return true;
    return false;
}

bool isDecimalPoint(std::string_view text, size_t at) {
    return at > 0 && at + 1 < text.size() && isDigitChar(text[at - 1]) && isDigitChar(text[at + 1]);
}

}  // namespace

std::string withoutTags(const std::string& line) {
    std::string text = line;
    for (size_t open = text.find('<'); open != std::string::npos; open = text.find('<', open)) {
        size_t close = text.find('>', open);
        if (close == std::string::npos) break;
        text.replace(open, close + 1 - open, close + 1 - open, ' ');
    }
    return text;
}

bool endsSentence(std::string_view text, size_t from, size_t to, std::string_view previous,
                  bool lineStart) {
    for (size_t at = from; at < to; ++at) {
        char c = text[at];
        if (c == '!' || c == '?' || (c == '-' && lineStart)) return true;
        if (c == '.' && !isDecimalPoint(text, at) && !(at == from && isTitle(previous)))
            return true;
    }
    return false;
}
