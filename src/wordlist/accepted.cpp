#include "wordlist/accepted.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "wordlist/characters.h"
#include "wordlist/keyhash.h"
#include "wordlist/profile.h"

namespace {

// Only the 64-bit hash of each word's key is held, in an open-addressed
// table at most half full: a million forms take 16 MB where their text and
// an index over it would take three times that. Two keys of a few million
// share a hash with a chance of about one in a million, and a word of the
// text passes for accepted by chance about once in 10^12 lookups.
std::vector<uint64_t> slots;  // 0: empty
size_t slotMask = 0;

size_t slotOf(uint64_t hash) {
    return slotOfHash(slots, slotMask, hash);
}

}  // namespace

void setAcceptedWords(const std::string& text) {
    size_t lines = static_cast<size_t>(std::count(text.begin(), text.end(), '\n')) + 1;
    size_t size = tableSizeFor(lines);
    slots.assign(size, 0);
    slotMask = size - 1;
    for (size_t i = 0, end; i < text.size(); i = end + 1) {
        end = std::min(text.find('\n', i), text.size());
        std::string_view word(text.data() + i, end - i);
        while (!word.empty() && (word.back() == '\r' || word.back() == ' '))
            word.remove_suffix(1);
        if (word.empty()) continue;
        uint64_t hash = hashOfWord(word, Encoding::utf8);
        slots[slotOf(hash)] = hash;
    }
}

void clearAcceptedWords() {
    slots.clear();
    slots.shrink_to_fit();
    slotMask = 0;
}

void loadAcceptedWords() {
    clearAcceptedWords();
    std::string path, text;
    if (readFileBesideWords(".accepted", "accepted words", path, text)) setAcceptedWords(text);
}

bool isAccepted(const char* word, size_t length) {
    if (slots.empty()) return false;
    uint64_t hash = hashOfWord(std::string_view(word, length), lineEncoding);
    return slots[slotOf(hash)] == hash;
}
