#include "wordlist/keyhash.h"

#include <string>

uint64_t hashOfKey(std::string_view key) {
    uint64_t h = 0xcbf29ce484222325ULL;  // FNV-1a
    for (char c : key) {
        auto byte = static_cast<unsigned char>(c);
        h = (h ^ (byte >= 'A' && byte <= 'Z' ? byte + 0x20 : byte)) * 0x100000001b3ULL;
    }
    h ^= h >> 31;
    return h == 0 ? 1 : h;
}

uint64_t hashOfWord(std::string_view word, Encoding encoding) {
    return isAscii(word) ? hashOfKey(word) : hashOfKey(lookupKey(word, encoding));
}
