#include "names/candidates.h"

#include <algorithm>
#include <cstdint>
#include <map>
#include <string_view>

#include "names/coinages.h"
#include "names/letters.h"
#include "names/pairs.h"
#include "names/sightings.h"
#include "repair/spokenforms.h"
#include "wordlist/commonwords.h"

namespace {

int64_t capitals(std::string_view form) {
    int64_t count = 0;
    for (size_t at = 0; at < form.size(); at += characterAt(form, at).length)
        count += isCapitalLetter(characterAt(form, at).code);
    return count;
}

// The most frequent spelling; of equally frequent ones the one with fewer
// capitals ("Bramblebum" over "BRAMBLEBUM"), then the first in byte order.
const std::string& usualForm(const Sighting& seen) {
    auto best = seen.forms.begin();
    for (auto form = best; form != seen.forms.end(); ++form)
        if (form->second > best->second ||
            (form->second == best->second && capitals(form->first) < capitals(best->first)))
            best = form;
    return best->first;
}

int64_t timesSeen(const Sighting& seen) {
    int64_t times = 0;
    for (const auto& [form, count] : seen.forms)
        times += count;
    return times;
}

// Two words that lost the space between them ("Ican", "Whyare"): met with
// the space at least half as often as without. A series' own joined brand
// ("PlateRunner") is never met spaced.
bool metSpaced(const std::string& word, const Sighting& seen) {
    return 2 * timesSpaced(word) >= timesSeen(seen) + seen.lowercase;
}

// unjam keeps a spoken form with a dropped g whole ("Nothin'"), and a
// compound of listed nouns as it is capitalized ("Lagerfeuer"), so neither
// is a word to add; a dropped g may also be met without its apostrophe.
bool isListed(const std::string& word, const Sighting& seen) {
    for (const auto& [form, count] : seen.forms)
        if (isCompoundWord(form)) return true;
    return isListedWord(word) || (seen.beforeApostrophe && isDroppedG(word.data(), word.size()));
}

// A listed word, one-letter ones too: the pieces a join of the word may be
// made of ("Quemé" is "Quem é").
bool isListedPiece(std::string_view piece, Encoding) {
    return isListedWord(piece);
}

// A name may only ever start sentences ("Makena. I've got a daughter."),
// but so does every capitalized word: it must recur three times there, or
// twice when no listed words make it up ("Kwame", where "Quemé" is two),
// and be longer than two characters ("Ed.", "Ah," are not names).
bool recursAtSentenceStarts(const std::string& word, const Sighting& seen) {
    return characterCount(word) > 2 &&
           (seen.sentenceStarts >= 3 ||
            (seen.sentenceStarts == 2 && !readsAsPieces(word, Encoding::utf8, isListedPiece)));
}

// A word met in lower case at least as often as capitalized that reads as
// common words is a join ("dansla"); one met mostly capitalized is taken
// for a name even so ("Ilaria" is no "il aria").
bool isCommonJoin(const std::string& word, const Sighting& seen) {
    return 2 * seen.lowercase >= timesSeen(seen) && readsAsCommonWords(word, Encoding::utf8);
}

bool proposable(const std::string& word, const Sighting& seen, bool named, int64_t runIn) {
    return (named || isCoinage(word, seen, runIn)) && !isListed(word, seen) &&
           holdsOnlyLetters(word) && !metSpaced(word, seen) && !isCommonJoin(word, seen);
}

// "Blindbakes" met once beside a proposed "Blindbake": the repair would cut
// the listed "s" off it.
bool pluralOfProposed(const std::string& word, const Sighting& seen,
                      const std::map<std::string, std::string>& proposed) {
    return word.size() > 3 && word.back() == 's' &&
           proposed.count(word.substr(0, word.size() - 1)) && proposable(word, seen, true, 0);
}

}  // namespace

std::vector<std::string> candidateNames() {
    const std::map<std::string, int64_t> runIns = runInSightings();
    std::map<std::string, std::string> proposed;  // by the word, the spelling to print
    for (const auto& [word, seen] : sightings) {
        bool named =
            timesSeen(seen) >= 2 && (seen.insideSentence || recursAtSentenceStarts(word, seen));
        auto runIn = runIns.find(word);
        if (proposable(word, seen, named, runIn == runIns.end() ? 0 : runIn->second))
            proposed[word] = named ? usualForm(seen) : word;
    }
    for (const auto& [word, seen] : sightings)
        if (!proposed.count(word) && pluralOfProposed(word, seen, proposed))
            proposed[word] = timesSeen(seen) > seen.lowercase ? usualForm(seen) : word;
    std::vector<std::string> names;
    for (const auto& [word, form] : proposed)
        names.push_back(form);
    return names;
}
