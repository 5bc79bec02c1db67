#include "names/sightings.h"

#include <string_view>

#include "names/pairs.h"
#include "names/sentences.h"
#include "repair/contractions.h"
#include "wordlist/chartests.h"

std::map<std::string, Sighting> sightings;

std::string lowerAscii(std::string_view word) {
    std::string lower(word);
    for (char& c : lower)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return lower;
}

namespace {

bool isLowerAscii(char c) {
    return c >= 'a' && c <= 'z';
}

bool isUpperAscii(char c) {
    return c >= 'A' && c <= 'Z';
}

// A capitalized word run into the lower-case one before it ("inBusan",
// "twoBlindbakes"): its sightings are rare in a season that names it
// seldom. Not "I" run into a verb ("thenIland"), nor acronyms ("hisTCP").
std::string_view capitalizedTail(std::string_view word) {
    for (size_t k = 1; k + 1 < word.size(); ++k)
        if (isLowerAscii(word[k - 1]) && isUpperAscii(word[k]) && word[k] != 'I' &&
            isLowerAscii(word[k + 1]))
            return word.substr(k);
    return {};
}

void noteCapitalized(std::string_view word, bool insideSentence) {
    Sighting& seen = sightings[lowerAscii(word)];
    seen.insideSentence = seen.insideSentence || insideSentence;
    seen.sentenceStarts += !insideSentence;
    ++seen.forms[std::string(word)];
}

// Lower-case words are counted too, for the coinages of a series.
void noteWord(std::string_view word, bool insideSentence, char behind) {
    if (word.size() < 2) return;
    if (isLowerAscii(word[0])) {
        ++sightings[lowerAscii(word)].lowercase;
        std::string_view tail = capitalizedTail(word);
        if (!tail.empty()) noteCapitalized(tail, true);
    } else if (isUpperAscii(word[0])) {
        noteCapitalized(word, insideSentence);
    } else {
        return;
    }
    if (behind == '\'') sightings[lowerAscii(word)].beforeApostrophe = true;
}

// The pieces of a contraction are no names: the repair splits off the
// ending that begins the word behind a letter and an apostrophe ("sbeen" of
// "it'sbeen"), and a word before an apostrophe and a t is the stem of a
// negation ("Idon" of "Idon'tknow"). A name before any other ending stays
// ("Bramblebum's", "Kenji'll").
bool isContractionPiece(std::string_view text, size_t start, size_t end) {
    if (followsContraction(text, 0, start) && contractionEnding(text.substr(start, end - start)))
        return true;
    size_t apostrophe = apostropheLengthAt(text, end);
    return apostrophe > 0 && end + apostrophe < text.size() &&
           toUpperAscii(text[end + apostrophe]) == 'T';
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
        if (!isContractionPiece(text, start, i))
            noteWord(previous, sentenceOpen, i < n ? text[i] : '\0');
        sentenceOpen = true;
    }
}
