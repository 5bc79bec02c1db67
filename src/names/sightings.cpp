#include "names/sightings.h"

#include <string_view>

#include "names/pairs.h"
#include "names/sentences.h"
#include "wordlist/chartests.h"

std::map<std::string, Sighting> sightings;

std::string lowerAscii(std::string_view word) {
    std::string lower(word);
    for (char& c : lower)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return lower;
}

namespace {

// Lower-case words are counted too, for the coinages of a series.
void noteWord(std::string_view word, bool insideSentence, char behind) {
    bool lower = word.size() >= 2 && word[0] >= 'a' && word[0] <= 'z';
    if (word.size() < 2 || (!lower && (word[0] < 'A' || word[0] > 'Z'))) return;
    Sighting& seen = sightings[lowerAscii(word)];
    seen.beforeApostrophe = seen.beforeApostrophe || behind == '\'';
    if (lower) {
        ++seen.lowercase;
        return;
    }
    seen.insideSentence = seen.insideSentence || insideSentence;
    ++seen.forms[std::string(word)];
}

}  // namespace

// Words are cut as the repair cuts them: runs of bytes that are neither
// separators nor digits.
void noteTextLine(const std::string& line, bool& sentenceOpen) {
    const std::string text = withoutVerbatim(line);
    const size_t n = text.size();
    std::string_view previous;
    size_t previousEnd = 0;
    size_t i = 0;
    while (i < n) {
        size_t start = i;
        while (i < n && endsWord(text[i]))
            ++i;
        if (endsSentence(text, start, i, previous, start == 0)) sentenceOpen = false;
        start = i;
        while (i < n && !endsWord(text[i]))
            ++i;
        if (i == start) break;
        std::string_view word = std::string_view(text).substr(start, i - start);
        if (!previous.empty() && start == previousEnd + 1 && text[previousEnd] == ' ')
            noteSpacedPair(previous, word);
        previous = word;
        previousEnd = i;
        noteWord(previous, sentenceOpen, i < n ? text[i] : '\0');
        sentenceOpen = true;
    }
}
