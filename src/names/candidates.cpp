#include "names/candidates.h"

#include <algorithm>
#include <cstdint>

#include "names/coinages.h"
#include "names/pairs.h"
#include "names/sightings.h"
#include "repair/spokenforms.h"
#include "wordlist/chartests.h"
#include "wordlist/lookup.h"

namespace {

int64_t capitals(const std::string& form) {
    return std::count_if(form.begin(), form.end(), [](char c) { return c >= 'A' && c <= 'Z'; });
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

// A bracket or any other ASCII byte that is not a letter: "BEEPS]" is the
// end of a sound tag. Bytes from 0x80 up may be letters of a name.
bool holdsNonLetter(const std::string& word) {
    return std::any_of(word.begin(), word.end(), [](char c) {
        return static_cast<unsigned char>(c) < 0x80 && !isAsciiLetter(c);
    });
}

// Two words that lost the space between them ("Ican", "Whyare"): met with
// the space at least half as often as without. A series' own joined brand
// ("PlateRunner") is never met spaced.
bool metSpaced(const std::string& word, const Sighting& seen) {
    return 2 * timesSpaced(word) >= timesSeen(seen) + seen.lowercase;
}

// unjam keeps a spoken form with a dropped g whole ("Nothin'"), so it is
// no word to add, though it may also be met without its apostrophe.
bool isListed(const std::string& word, const Sighting& seen) {
    return inDictSized(word.data(), word.size()) ||
           (seen.beforeApostrophe && isDroppedG(word.data(), word.size()));
}

}  // namespace

std::vector<std::string> candidateNames() {
    std::vector<std::string> names;
    for (const auto& [word, seen] : sightings) {
        bool named = timesSeen(seen) >= 2 && seen.insideSentence;
        if (!named && !isCoinage(word, seen)) continue;
        if (isListed(word, seen) || holdsNonLetter(word) || metSpaced(word, seen)) continue;
        names.push_back(named ? usualForm(seen) : word);
    }
    return names;
}
