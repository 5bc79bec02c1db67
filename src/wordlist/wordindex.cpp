#include "wordlist/wordindex.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "wordlist/chartests.h"
#include "wordlist/dictionary.h"

namespace {

// Open addressing with linear probing. A slot holds the upper half of the
// word's hash beside its position + 1 (0: empty), so that most probes that
// miss are settled without touching the word table.
std::vector<uint64_t> slots;
size_t slotMask = 0;
int32_t indexedCount = 0;
size_t longestWord = 0;

unsigned char foldAscii(unsigned char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c + 0x20) : c;
}

constexpr uint64_t hashStart = 0xcbf29ce484222325ULL;  // FNV-1a

uint64_t hashStep(uint64_t h, char c) {
    return (h ^ foldAscii(static_cast<unsigned char>(c))) * 0x100000001b3ULL;
}

uint64_t hashFinish(uint64_t h) {
    return h ^ (h >> 29);
}

uint64_t hashFolded(const char* word, size_t length) {
    uint64_t h = hashStart;
    for (size_t i = 0; i < length; ++i)
        h = hashStep(h, word[i]);
    return hashFinish(h);
}

bool sameFolded(const char* a, const char* b, size_t length) {
    for (size_t i = 0; i < length; ++i)
        if (foldAscii(static_cast<unsigned char>(a[i])) !=
            foldAscii(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

uint64_t tagOf(uint64_t hash) {
    return hash & 0xffffffff00000000ULL;
}

// The slot that holds the word, or the empty slot where it would go.
size_t findSlot(const char* word, size_t length, uint64_t hash) {
    size_t at = static_cast<size_t>(hash) & slotMask;
    for (;; at = (at + 1) & slotMask) {
        uint64_t slot = slots[at];
        if (slot == 0) return at;
        if (tagOf(slot) != tagOf(hash)) continue;
        size_t position = static_cast<size_t>(slot & 0xffffffffULL) - 1;
        if (static_cast<size_t>(dictLengths[position]) == length &&
            sameFolded(dictWords[position].data(), word, length))
            return at;
    }
}

void insertPosition(int32_t position) {
    const std::string& word = dictWords[position];
    uint64_t hash = hashFolded(word.data(), word.size());
    size_t at = findSlot(word.data(), word.size(), hash);
    if (slots[at] != 0) return;  // a duplicate answers the same
    slots[at] = tagOf(hash) | static_cast<uint64_t>(position + 1);
    ++indexedCount;
    if (word.size() > longestWord) longestWord = word.size();
}

// Keeps the load at most about 0.7, so that probe runs stay short.
void reserveFor(int32_t count) {
    size_t wanted = 16;
    while (wanted * 7 < static_cast<size_t>(count) * 10)
        wanted *= 2;
    if (wanted <= slots.size()) return;
    std::vector<uint64_t> old;
    old.swap(slots);
    slots.assign(wanted, 0);
    slotMask = wanted - 1;
    indexedCount = 0;
    for (uint64_t slot : old)
        if (slot != 0) insertPosition(static_cast<int32_t>(slot & 0xffffffffULL) - 1);
}

bool findable(int32_t position) {
    const std::string& word = dictWords[position];
    if (word.empty() || !isAsciiLetter(word[0])) return false;
    if (std::memchr(word.data(), '\0', word.size())) return false;
    if (position >= letterStart[26]) return position < letterStart[27];
    int letter = toUpperAscii(word[0]) - 'A';
    return position >= letterStart[letter] && position < letterStart[letter + 1];
}

}  // namespace

void indexWords(int32_t begin, int32_t end) {
    reserveFor(indexedCount + (end - begin));
    for (int32_t position = begin; position < end; ++position)
        if (findable(position)) insertPosition(position);
}

void clearWordIndex() {
    slots.clear();
    slots.shrink_to_fit();
    slotMask = 0;
    indexedCount = 0;
    longestWord = 0;
}

bool indexHolds(const char* word, size_t length) {
    if (length > longestWord || slots.empty()) return false;
    size_t at = findSlot(word, length, hashFolded(word, length));
    return slots[at] != 0;
}

size_t longestIndexedWord() {
    return longestWord;
}

void markListedPrefixes(const char* word, size_t count, bool* listed) {
    size_t limit = slots.empty() ? 0 : std::min(count, longestWord);
    uint64_t h = hashStart;
    for (size_t p = 1; p <= limit; ++p) {
        h = hashStep(h, word[p - 1]);
        listed[p] = slots[findSlot(word, p, hashFinish(h))] != 0;
    }
    for (size_t p = limit + 1; p <= count; ++p)
        listed[p] = false;
}
