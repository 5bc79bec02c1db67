#include "wordlist/chartests.h"

#include <cstring>

bool isAllDigits(const char* s) {
    for (; *s; ++s)
        if (!isDigitChar(*s)) return false;
    return true;
}

char toUpperAscii(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 0x20) : c;
}

bool isAsciiLetter(char c) {
    char u = toUpperAscii(c);
    return u >= 'A' && u <= 'Z';
}

bool sameIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t k = 0; k < a.size(); ++k)
        if (toUpperAscii(a[k]) != toUpperAscii(b[k])) return false;
    return true;
}

int32_t findSubstring(const char* text, const char* pattern) {
    const char* hit = std::strstr(text, pattern);
    return hit ? static_cast<int32_t>(hit - text) : -1;
}
