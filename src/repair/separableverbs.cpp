#include "repair/separableverbs.h"

#include <string>
#include <string_view>
#include <vector>

#include "wordlist/caseforms.h"
#include "wordlist/characters.h"
#include "wordlist/lookup.h"
#include "wordlist/profile.h"

namespace {

// The bytes of `text` (in lineEncoding) that spell `utf8` (a profile's
// word) at its start, character by character; 0 when it does not begin so.
size_t spelledLength(std::string_view text, std::string_view utf8) {
    size_t at = 0;
    for (size_t k = 0; k < utf8.size();) {
        if (at >= text.size()) return 0;
        Character want = decodeCharacter(utf8, k, Encoding::utf8);
        Character got = decodeCharacter(text, at, lineEncoding);
        if (want.code != got.code) return 0;
        k += want.length;
        at += got.length;
    }
    return at;
}

bool isOneOf(std::string_view text, const std::vector<std::string>& words) {
    for (const std::string& word : words)
        if (spelledLength(text, word) == text.size()) return true;
    return false;
}

bool beginsWithOneOf(std::string_view text, const std::vector<std::string>& words) {
    for (const std::string& word : words)
        if (spelledLength(text, word) > 0) return true;
    return false;
}

bool isVerbForm(std::string_view text) {
    return characterCount(text, lineEncoding) >= 3 && !isOneOf(text, activeProfile.functionWords) &&
           (listedForms(text.data(), text.size()) & formSmall) != 0;
}

// Each prefix takes a character or more, so the depth is bounded by the
// word's length.
bool readsPrefixed(std::string_view text) {
    for (const std::string& prefix : activeProfile.prefixes) {
        size_t length = spelledLength(text, prefix);
        if (length == 0 || length == text.size()) continue;
        std::string_view rest = text.substr(length);
        if (isFunctionWord(prefix) && !beginsWithOneOf(rest, activeProfile.verbStarts)) continue;
        if (isSplitPoint(text, length, lineEncoding) && (readsPrefixed(rest) || isVerbForm(rest)))
            return true;
    }
    return false;
}

}  // namespace

bool readsAsPrefixedVerb(const char* word, size_t length) {
    std::string_view text(word, length);
    return caseFormOf(text, lineEncoding) == formSmall && readsPrefixed(text);
}
