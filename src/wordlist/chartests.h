// Byte tests shared by word list loading, lookup and the line repair.
// All text is single bytes; only A-Z and a-z are letters, only 0-9 digits.
#pragma once

#include <cstdint>

bool isSeparator(char c);
bool isDigitChar(char c);
// True when every byte is a digit; true for the empty string.
bool isAllDigits(const char* s);
// a-z to A-Z; every other byte unchanged.
char toUpperAscii(char c);
bool isAsciiLetter(char c);
// First position of pattern in text (case significant), or -1.
int32_t findSubstring(const char* text, const char* pattern);
