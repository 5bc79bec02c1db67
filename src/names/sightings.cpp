#include "names/sightings.h"

#include "names/letters.h"
#include "names/pairs.h"
#include "names/sentences.h"
#include "repair/contractions.h"
#include "repair/verbatim.h"
#include "wordlist/chartests.h"

std::map<std::string, Sighting> sightings;

std::string sightingKey(std::string_view word) {
    return lookupKey(word, Encoding::utf8);
}

namespace {

bool endsWordAt(std::string_view text, size_t at) {
    CharClass type = classAt(text, at, Encoding::utf8).type;
    return type == CharClass::wordEnd || type == CharClass::digit;
}

size_t skip(std::string_view text, size_t at, bool wordEnds) {
    while (at < text.size() && endsWordAt(text, at) == wordEnds)
        at += characterAt(text, at).length;
    return at;
}

// A capitalized word run into the lower-case one before it ("inBusan",
// "twoBlindbakes"): its sightings are rare in a season that names it
// seldom. Not "I" run into a verb ("thenIland"), nor acronyms ("hisTCP").
std::string_view capitalizedTail(std::string_view word) {
    char32_t before = 0;
    for (size_t at = 0; at < word.size();) {
        Character c = characterAt(word, at);
        size_t next = at + c.length;
        if (isSmallLetter(before) && isCapitalLetter(c.code) && c.code != 'I' &&
            next < word.size() && isSmallLetter(characterAt(word, next).code))
            return word.substr(at);
        before = c.code;
        at = next;
    }
    return {};
}

void noteCapitalized(std::string_view word, const std::string& key, bool insideSentence) {
    Sighting& seen = sightings[key];
    seen.insideSentence = seen.insideSentence || insideSentence;
    seen.sentenceStarts += !insideSentence;
    ++seen.forms[std::string(word)];
}

// Lower-case words are counted too, for the coinages of a series.
void noteWord(std::string_view word, const std::string& key, bool insideSentence,
              bool beforeApostrophe) {
    if (characterCount(word) < 2) return;
    char32_t first = characterAt(word, 0).code;
    if (isSmallLetter(first)) {
        ++sightings[key].lowercase;
        std::string_view tail = capitalizedTail(word);
        if (!tail.empty()) noteCapitalized(tail, sightingKey(tail), true);
    } else if (isCapitalLetter(first)) {
        noteCapitalized(word, key, insideSentence);
    } else {
        return;
    }
    if (beforeApostrophe) sightings[key].beforeApostrophe = true;
}

// Whether text[at] lies in one of the spans, asked in order of position:
// the spans (in order, apart) are passed over once for a whole line.
struct SpanCursor {
    const std::vector<Span>& spans;
    size_t next = 0;

    bool holds(size_t at) {
        while (next < spans.size() && spans[next].to <= at)
            ++next;
        return next < spans.size() && at >= spans[next].from;
    }
};

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

// Words are cut as the repair cuts them: runs of characters that are
// neither punctuation, symbols, spaces nor digits.
void noteTextLine(const std::string& line, bool& sentenceOpen) {
    const std::string text = withoutVerbatim(line);
    const std::vector<Span> tags = tagSpans(text), actions = actionSpans(text);
    SpanCursor inTag{tags}, inAction{actions};
    std::string_view previous;
    std::string previousKey;
    size_t previousEnd = 0;
    for (size_t i = 0; i < text.size();) {
        size_t start = i;
        i = skip(text, i, true);
        if (endsSentence(text, start, i, previous, start == 0)) sentenceOpen = false;
        start = i;
        i = skip(text, i, false);
        if (i == start) break;
        std::string_view word = std::string_view(text).substr(start, i - start);
        bool inAnAction = inAction.holds(start), inATag = inTag.holds(start);
        if (inAnAction || (inATag && isInCapitals(word))) {
            sentenceOpen = true;  // part of the sentence, as a word would be
            continue;
        }
        std::string key = sightingKey(word);
        if (!previous.empty() && start == previousEnd + 1 && text[previousEnd] == ' ')
            noteSpacedPair(previousKey, key);
        previous = word;
        previousKey = key;
        previousEnd = i;
        if (isSpeakerLabel(std::string_view(text).substr(0, start), word,
                           std::string_view(text).substr(i), Encoding::utf8)) {
            noteCapitalized(word, key, true);
            sentenceOpen = false;
            continue;
        }
        if (!isContractionPiece(text, start, i))
            noteWord(word, key, sentenceOpen, apostropheLengthAt(text, i) > 0);
        sentenceOpen = true;
    }
}
