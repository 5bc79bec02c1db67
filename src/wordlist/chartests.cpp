#include "wordlist/chartests.h"

#include <cstring>

bool isSeparator(char c) {
    // NUL would match strchr's terminator, so it is ruled out first.
    return c != '\0' && std::strchr(" ,!?.-:'\"$%#/`&()<>", c) != nullptr;
}

bool isDigitChar(char c) {
    return c >= '0' && c <= '9';
}

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

int32_t findSubstring(const char* text, const char* pattern) {
    const char* hit = std::strstr(text, pattern);
    return hit ? static_cast<int32_t>(hit - text) : -1;
}
