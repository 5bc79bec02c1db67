#include "wordlist/lookup.h"

#include <cstdio>
#include <cstring>

#include "wordlist/chartests.h"
#include "wordlist/dictionary.h"

namespace {

char foldAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 0x20) : c;
}

bool sameFolded(const std::string& stored, const char* word, size_t length) {
    for (size_t i = 0; i < length; ++i)
        if (foldAscii(stored[i]) != foldAscii(word[i])) return false;
    return true;
}

bool foundInRange(int32_t begin, int32_t end, const char* word, size_t length) {
    for (int32_t i = begin; i < end; ++i)
        if (static_cast<size_t>(dictLengths[i]) == length && sameFolded(dictWords[i], word, length))
            return true;
    return false;
}

}  // namespace

bool inDict(const char* word) {
    size_t length = std::strlen(word);
    if (!isAsciiLetter(word[0])) {
        std::fputs("inDict got symbol '", stdout);
        std::fputs(word, stdout);
        std::fputs("'\n", stdout);
        std::fflush(stdout);
        return false;
    }
    int letter = toUpperAscii(word[0]) - 'A';
    return foundInRange(letterStart[letter], letterStart[letter + 1], word, length) ||
           foundInRange(letterStart[26], letterStart[27], word, length);
}
