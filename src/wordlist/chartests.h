// Byte tests shared by word list loading, lookup and the line repair.
// All text is single bytes; only A-Z and a-z are letters, only 0-9 digits.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

// The walk asks these of every byte of every piece it is handed, so they
// are inline and the separator test is one table read.
inline constexpr std::array<bool, 256> separatorTable = [] {
    std::array<bool, 256> is{};
    for (const char* c = " ,!?.-:'\"$%#/`&()<>"; *c; ++c)
        is[static_cast<unsigned char>(*c)] = true;
    return is;
}();

inline bool isSeparator(char c) {
    return separatorTable[static_cast<unsigned char>(c)];
}
inline bool isDigitChar(char c) {
    return c >= '0' && c <= '9';
}
// A word is a run of the other bytes: separators and digits cut it.
inline bool endsWord(char c) {
    return isSeparator(c) || isDigitChar(c);
}
// True when every byte is a digit; true for the empty string.
bool isAllDigits(const char* s);
// a-z to A-Z; every other byte unchanged.
char toUpperAscii(char c);
bool isAsciiLetter(char c);
// Equal but for the case of A-Z.
bool sameIgnoringCase(std::string_view a, std::string_view b);
// First position of pattern in text (case significant), or -1.
int32_t findSubstring(const char* text, const char* pattern);
