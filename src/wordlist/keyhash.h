// Words held only as a 64-bit hash of their lookup key, for the tables that
// need to know a word but not read it back (accepted forms, word counts).
#pragma once

#include <cstdint>
#include <string_view>

#include "wordlist/characters.h"

// The hash of a key (A-Z folded here, so that an ASCII word is hashed as its
// own key); never 0, which marks an empty slot.
uint64_t hashOfKey(std::string_view key);

// The hash of a word's key: an ASCII word is its own key, any other is keyed
// first, read in `encoding`.
uint64_t hashOfWord(std::string_view word, Encoding encoding);

// The slot of `hash` in an open-addressed table of `mask` + 1 slots (a power
// of two, at most half full): its own, or the empty one where it would go.
template <class Slots>
size_t slotOfHash(const Slots& slots, size_t mask, uint64_t hash) {
    size_t at = static_cast<size_t>(hash ^ (hash >> 32)) & mask;
    while (slots[at] != 0 && slots[at] != hash)
        at = (at + 1) & mask;
    return at;
}

// The table size for `entries` entries: a power of two at least twice that.
inline size_t tableSizeFor(size_t entries) {
    size_t size = 16;
    while (size < 2 * entries)
        size *= 2;
    return size;
}
