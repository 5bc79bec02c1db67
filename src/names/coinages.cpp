#include "names/coinages.h"

#include <string_view>

#include <vector>

#include "names/letters.h"
#include "names/pairs.h"
#include "repair/spokenforms.h"
#include "wordlist/profile.h"

namespace {

bool listed(std::string_view piece) {
    return isListedWord(piece);
}

// Where the word's characters begin, and its end.
std::vector<size_t> characterStarts(std::string_view word) {
    std::vector<size_t> starts;
    for (size_t at = 0; at < word.size(); at += characterAt(word, at).length)
        starts.push_back(at);
    starts.push_back(word.size());
    return starts;
}

// The closed classes are the words that run into their neighbours when a
// space is lost; a series coins its words from the open classes.
bool joinsFunctionWord(std::string_view word) {
    std::vector<size_t> cuts = characterStarts(word);
    for (size_t k = 1; k + 1 < cuts.size(); ++k) {
        std::string_view left = word.substr(0, cuts[k]), right = word.substr(cuts[k]);
        if ((isFunctionWord(left) && listed(right)) || (isFunctionWord(right) && listed(left)))
            return true;
    }
    return false;
}

}  // namespace

// "notfoldsick" beside "foldsick": the coinage lost the space before it. The
// word before is two characters or longer: a one-character piece is mostly what an
// apostrophe cut off ("it'sbelieve" gives "sbelieve").
std::map<std::string, int64_t> runInSightings() {
    std::map<std::string, int64_t> found;
    for (const auto& [word, seen] : sightings) {
        if (seen.lowercase == 0 || listed(word)) continue;
        std::vector<size_t> cuts = characterStarts(word);
        for (size_t k = 2; k + 5 < cuts.size(); ++k) {
            std::string_view left = std::string_view(word).substr(0, cuts[k]);
            std::string_view right = std::string_view(word).substr(cuts[k]);
            if (!listed(left) || listed(right)) continue;
            auto alone = sightings.find(std::string(right));
            if (alone != sightings.end() && alone->second.lowercase > 0)
                found[alone->first] += seen.lowercase;
        }
    }
    return found;
}

// Measured on whole seasons: joins of two common words recur as often as
// coinages do, but they are also met spaced, or hold a function word. A
// coinage that starts a sentence is capitalized there ("Gloamhounds!"),
// so such sightings count once it is met in lower case.
bool isCoinage(const std::string& word, const Sighting& seen, int64_t runIn) {
    return seen.lowercase >= 1 && seen.lowercase + seen.sentenceStarts + runIn >= 2 &&
           characterCount(word) >= 5 && timesSpaced(word) == 0 &&
           (!joinsFunctionWord(word) || isDroppedG(word.data(), word.size()));
}
