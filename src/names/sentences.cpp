#include "names/sentences.h"

#include <algorithm>

#include "names/letters.h"
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

void blank(std::string& text, size_t from, size_t to) {
    text.replace(from, to - from, to - from, ' ');
}

const char32_t ellipsis = 0x2026;

}  // namespace

std::string withoutVerbatim(const std::string& line) {
    std::string text = line;
    for (Span span : verbatimSpans(text, Encoding::utf8))
        blank(text, span.from, span.to);
    return text;
}

std::vector<Span> tagSpans(std::string_view text) {
    std::vector<Span> spans;
    size_t open = text.find('['), close = text.find(']');
    if (close < open) spans.push_back({0, close + 1});
    for (; open != std::string_view::npos; open = text.find('[', close)) {
        close = std::min(text.find(']', open), text.size());
        spans.push_back({open, close});
    }
    return spans;
}

std::vector<Span> actionSpans(std::string_view text) {
    std::vector<Span> spans;
    size_t close;
    for (size_t open = text.find('*'); open != std::string_view::npos;
         open = text.find('*', close + 1)) {
        close = text.find('*', open + 1);
        if (close == std::string_view::npos) break;
        spans.push_back({open, close});
    }
    return spans;
}

bool endsSentence(std::string_view text, size_t from, size_t to, std::string_view previous,
                  bool lineStart) {
    for (size_t at = from; at < to; at += characterAt(text, at).length) {
        char c = text[at];
        if (c == '!' || c == '?' || (c == '-' && lineStart)) return true;
        if (c == '.' && !isDecimalPoint(text, at) && !(at == from && isTitle(previous)))
            return true;
        if (characterAt(text, at).code == ellipsis) return true;
    }
    return false;
}
