#include "wordlist/grouping.h"

#include <cstdio>
#include <string>

#include "wordlist/chartests.h"
#include "wordlist/dictionary.h"
#include "wordlist/wordindex.h"

int32_t lostWordCount = 0;

namespace {

// "A" or "A, C, Q": the letters that lost words, in order.
std::string letterList(const bool lost[26]) {
    std::string letters;
    for (int letter = 0; letter < 26; ++letter) {
        if (!lost[letter]) continue;
        if (!letters.empty()) letters += ", ";
        letters += static_cast<char>('A' + letter);
    }
    return letters;
}

void warnLost(const bool lost[26]) {
    std::string text =
        "Warning: 'words' is not grouped in A-Z order: " + std::to_string(lostWordCount) +
        " of its " + std::to_string(letterStart[26]) + " words can never be found (letters " +
        letterList(lost) + "); put extra words in words2, or sort the list (sort -f)\n";
    std::fflush(stdout);
    std::fputs(text.c_str(), stderr);
    std::fflush(stderr);
}

}  // namespace

void checkGrouping() {
    lostWordCount = 0;
    bool lost[26] = {};
    for (int32_t position = 0; position < letterStart[26]; ++position) {
        std::string_view word = dictWords[position], key = keyOf(position);
        // Words with a non-letter initial or a zero byte are never found,
        // wherever they stand, and an initial beyond A-Z has no group: the
        // order does not lose them.
        if (!isAsciiLetter(word[0]) || rangeHolds(position) ||
            key.find('\0') != std::string_view::npos || indexHolds(key.data(), key.size()))
            continue;
        ++lostWordCount;
        lost[toUpperAscii(word[0]) - 'A'] = true;
    }
    if (lostWordCount > 0) warnLost(lost);
}
