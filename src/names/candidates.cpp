#include "names/candidates.h"

#include <algorithm>
#include <cstdint>

#include "names/sightings.h"
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

}  // namespace

std::vector<std::string> candidateNames() {
    std::vector<std::string> names;
    for (const auto& [word, seen] : sightings)
        if (timesSeen(seen) >= 2 && seen.insideSentence && !inDictSized(word.data(), word.size()))
            names.push_back(usualForm(seen));
    return names;
}
