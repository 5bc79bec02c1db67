#include "wordlist/wordindex.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

#include "wordlist/caseforms.h"
#include "wordlist/characters.h"
#include "wordlist/chartests.h"
#include "wordlist/dictionary.h"

namespace {

// Open addressing with linear probing. Each slot has a one-byte tag from
// the word's hash (0: empty) and the word's position in the word table, with
// the case forms of every spelling of its key in the top bits; the tags
// alone settle most probes that miss, in one small array.
std::vector<uint8_t> tags;
std::vector<uint32_t> positions;
constexpr int formShift = 29;
constexpr uint32_t positionMask = (uint32_t{1} << formShift) - 1;
size_t slotMask = 0;
const std::string_view* indexedKeys = nullptr;  // keyTexts() as the index was last built
int32_t indexedCount = 0;
size_t longestWord = 0;

// A-Z to a-z, every other byte unchanged: one table read per byte.
constexpr std::array<unsigned char, 256> foldTable = [] {
    std::array<unsigned char, 256> fold{};
    for (int c = 0; c < 256; ++c)
        fold[c] = static_cast<unsigned char>((c >= 'A' && c <= 'Z') ? c + 0x20 : c);
    return fold;
}();

unsigned char foldAscii(unsigned char c) {
    return foldTable[c];
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

uint8_t tagOf(uint64_t hash) {
    return static_cast<uint8_t>(1 + (hash >> 56) % 255);
}

size_t homeOf(uint64_t hash) {
    return static_cast<size_t>(hash) & slotMask;
}

// Probes hit memory at random; asking for the slot early lets several
// lookups wait for memory at once.
void prefetchHome(uint64_t hash) {
    __builtin_prefetch(&tags[homeOf(hash)]);
    __builtin_prefetch(&positions[homeOf(hash)]);
}

// The slot that holds the word, or the empty slot where it would go.
size_t findSlot(const char* word, size_t length, uint64_t hash) {
    uint8_t tag = tagOf(hash);
    const std::string_view* keys = indexedKeys;
    for (size_t at = homeOf(hash);; at = (at + 1) & slotMask) {
        if (tags[at] == 0) return at;
        if (tags[at] != tag) continue;
        std::string_view key = keys[positions[at] & positionMask];
        if (key.size() == length && sameFolded(key.data(), word, length)) return at;
    }
}

// `word` is keyOf(position); `forms` its spelling's case forms.
void insertPosition(int32_t position, std::string_view word, uint64_t hash, uint32_t forms) {
    size_t at = findSlot(word.data(), word.size(), hash);
    if (tags[at] != 0) {  // another spelling of a key held: it adds its form
        positions[at] |= forms << formShift;
        return;
    }
    tags[at] = tagOf(hash);
    positions[at] = static_cast<uint32_t>(position) | forms << formShift;
    ++indexedCount;
    if (word.size() > longestWord) longestWord = word.size();
}

uint64_t hashOfStored(int32_t position) {
    std::string_view key = keyOf(position);
    return hashFolded(key.data(), key.size());
}

// Keeps the load at most one half, so that probe runs stay short.
void reserveFor(int32_t count) {
    size_t wanted = 16;
    while (wanted < static_cast<size_t>(count) * 2)
        wanted *= 2;
    if (wanted <= tags.size()) return;
    std::vector<uint8_t> oldTags(wanted, 0);
    std::vector<uint32_t> oldPositions(wanted, 0);
    oldTags.swap(tags);
    oldPositions.swap(positions);
    slotMask = wanted - 1;
    indexedCount = 0;
    for (size_t at = 0; at < oldTags.size(); ++at)
        if (oldTags[at] != 0) {
            int32_t position = static_cast<int32_t>(oldPositions[at] & positionMask);
            insertPosition(position, keyOf(position), hashOfStored(position),
                           oldPositions[at] >> formShift);
        }
}

// A letter beyond A-Z has no range: its words are found wherever they stand.
[[gnu::noinline]] bool keyStartsWithLetter(int32_t position) {
    return startsWithLetter(keyOf(position), Encoding::utf8);
}

uint32_t formsOfStored(int32_t position) {
    std::string_view word = dictWords[position];
    return caseFormOf(word, isAscii(word) ? Encoding::ascii : encodingOfLine(word));
}

}  // namespace

bool rangeHolds(int32_t position) {
    std::string_view word = dictWords[position];
    if (word.empty()) return false;
    if (static_cast<unsigned char>(word[0]) >= 0x80) return keyStartsWithLetter(position);
    char initial = static_cast<char>(word[0] | 0x20);
    if (initial < 'a' || initial > 'z') return false;
    if (position >= letterStart[26]) return position < letterStart[27];
    int letter = initial - 'a';
    return position >= letterStart[letter] && position < letterStart[letter + 1];
}

void indexWords(int32_t begin, int32_t end) {
    indexedKeys = keyTexts().data();
    reserveFor(indexedCount + (end - begin));
    // In batches: every word's slot is asked for before the first is filled.
    // A word holding a zero byte is never found, so it gets no hash.
    constexpr int32_t batch = 16;
    uint64_t hashes[batch];
    std::string_view keys[batch];
    bool taken[batch];
    for (int32_t from = begin; from < end; from += batch) {
        int32_t to = std::min(end, from + batch);
        for (int32_t position = from; position < to; ++position) {
            std::string_view word = keys[position - from] = keyOf(position);
            bool& take = taken[position - from];
            take = rangeHolds(position);
            if (!take) continue;
            uint64_t h = hashStart;
            for (char c : word) {
                take &= c != '\0';
                h = hashStep(h, c);
            }
            hashes[position - from] = hashFinish(h);
            prefetchHome(hashes[position - from]);
        }
        for (int32_t position = from; position < to; ++position)
            if (taken[position - from])
                insertPosition(position, keys[position - from], hashes[position - from],
                               formsOfStored(position));
    }
}

void clearWordIndex() {
    tags.clear();
    tags.shrink_to_fit();
    positions.clear();
    positions.shrink_to_fit();
    slotMask = 0;
    indexedCount = 0;
    longestWord = 0;
    indexedKeys = nullptr;
}

namespace {

uint8_t formsAt(size_t slot) {
    return tags[slot] == 0 ? 0 : static_cast<uint8_t>(positions[slot] >> formShift);
}

}  // namespace

uint8_t indexForms(const char* word, size_t length) {
    if (length > longestWord || tags.empty()) return 0;
    return formsAt(findSlot(word, length, hashFolded(word, length)));
}

uint8_t indexFormsOfWord(const char* word, size_t length, Encoding encoding) {
    if (tags.empty()) return 0;
    // An ASCII word is hashed as it is checked; a key is never shorter than
    // a third of its word (three combining jamo compose to one syllable).
    if (length <= longestWord) {
        uint64_t h = hashStart;
        unsigned char bytes = 0;
        for (size_t i = 0; i < length; ++i) {
            bytes |= static_cast<unsigned char>(word[i]);
            h = hashStep(h, word[i]);
        }
        if (bytes < 0x80) return formsAt(findSlot(word, length, hashFinish(h)));
    } else if (length > 3 * longestWord || isAscii(std::string_view(word, length))) {
        return 0;
    }
    std::string key = lookupKey(std::string_view(word, length), encoding);
    return indexForms(key.data(), key.size());
}

void markListedPrefixes(const char* word, size_t count, uint8_t* listed) {
    size_t limit = tags.empty() ? 0 : std::min(count, longestWord);
    // In batches, as when the index is built.
    constexpr size_t batch = 16;
    uint64_t hashes[batch];
    uint64_t h = hashStart;
    for (size_t from = 1; from <= limit; from += batch) {
        size_t to = std::min(limit, from + batch - 1);
        for (size_t p = from; p <= to; ++p) {
            h = hashStep(h, word[p - 1]);
            hashes[p - from] = hashFinish(h);
            prefetchHome(hashes[p - from]);
        }
        for (size_t p = from; p <= to; ++p)
            listed[p] = formsAt(findSlot(word, p, hashes[p - from]));
    }
    for (size_t p = limit + 1; p <= count; ++p)
        listed[p] = 0;
}

size_t longestIndexedWord() {
    return longestWord;
}
