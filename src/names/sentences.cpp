#include "names/sentences.h"

#include "repair/verbatim.h"
#include "wordlist/chartests.h"

namespace {

// Titles written with a period that a name follows.
const char* const titles[] = {"mr",  "mrs", "ms",   "dr",  "prof", "st",
                              "sgt", "lt",  "capt", "col", "gen",  "rev"};

bool isTitle(std::string_view word) {
    for (const char* title : titles)
        if (sameIgnoringCase(word, title)) return true;
    return false;
}

bool isDecimalPoint(std::string_view text, size_t at) {
    return at > 0 && at + 1 < text.size() && isDigitChar(text[at - 1]) && isDigitChar(text[at + 1]);
}

}  // namespace

std::string withoutVerbatim(const std::string& line) {
    std::string text = line;
    for (Span span : verbatimSpans(text))
        text.replace(span.from, span.to - span.from, span.to - span.from, ' ');
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
