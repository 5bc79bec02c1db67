#include "wordlist/accepted.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "wordlist/characters.h"
#include "wordlist/profile.h"

namespace {

// Only the 64-bit hash of each word's key is held, in an open-addressed
// table at most half full: a million forms take 16 MB where their text and
// an index over it would take three times that. Two keys of a few million
// share a hash with a chance of about one in a million, and a word of the
// text passes for accepted by chance about once in 10^12 lookups.
std::vector<uint64_t> slots;  // 0: empty
size_t slotMask = 0;

// A-Z are folded here, so that an ASCII word is hashed as its own key.
uint64_t hashKey(std::string_view key) {
    uint64_t h = 0xcbf29ce484222325ULL;  // FNV-1a
    for (char c : key) {
        auto byte = static_cast<unsigned char>(c);
        h = (h ^ (byte >= 'A' && byte <= 'Z' ? byte + 0x20 : byte)) * 0x100000001b3ULL;
    }
    h ^= h >> 31;
    return h == 0 ? 1 : h;
}

// An ASCII word is its own key; any other is keyed first.
uint64_t hashWord(std::string_view word, Encoding encoding) {
    return isAscii(word) ? hashKey(word) : hashKey(lookupKey(word, encoding));
}

size_t slotOf(uint64_t hash) {
    size_t at = static_cast<size_t>(hash ^ (hash >> 32)) & slotMask;
    while (slots[at] != 0 && slots[at] != hash)
        at = (at + 1) & slotMask;
    return at;
}

}  // namespace

void setAcceptedWords(const std::string& text) {
    size_t lines = static_cast<size_t>(std::count(text.begin(), text.end(), '\n')) + 1;
    size_t size = 16;
    while (size < 2 * lines)
        size *= 2;
    slots.assign(size, 0);
    slotMask = size - 1;
    for (size_t i = 0, end; i < text.size(); i = end + 1) {
        end = std::min(text.find('\n', i), text.size());
        std::string_view word(text.data() + i, end - i);
        while (!word.empty() && (word.back() == '\r' || word.back() == ' '))
            word.remove_suffix(1);
        if (word.empty()) continue;
        uint64_t hash = hashWord(word, Encoding::utf8);
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
    uint64_t hash = hashWord(std::string_view(word, length), lineEncoding);
    return slots[slotOf(hash)] == hash;
}
