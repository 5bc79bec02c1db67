// The letters of a word, as the names helper weighs them. Its text is UTF-8
// (each line is made so as it is read): what a character is, the character
// layer says.
#pragma once

#include <cstddef>
#include <string_view>

#include "wordlist/characters.h"

// A letter that isCapitalLetter does not take for a capital (`b`, `ß`).
bool isSmallLetter(char32_t code);

// The character at text[at], and how many bytes it takes.
inline Character characterAt(std::string_view text, size_t at) {
    auto byte = static_cast<unsigned char>(text[at]);
    return byte < 0x80 ? Character{byte, 1} : decodeCharacter(text, at, Encoding::utf8);
}
size_t characterCount(std::string_view text);
// True when every letter of the word is a capital and it holds two or more.
bool isInCapitals(std::string_view word);
// True when it holds nothing but letters and combining marks: no control or
// format character (a soft hyphen, a zero-width joiner) that may stay inside
// a word.
bool holdsOnlyLetters(std::string_view word);

// True when the word list holds the word (UTF-8). A word that does not begin
// with a letter is not looked up, so no lookup diagnostic ever reaches the
// list that is printed. A word longer than any listed one costs no reading.
bool isListedWord(std::string_view word);
// True when the repair keeps the word whole as a compound (repair/compounds.h)
// or a separable verb (repair/separableverbs.h): no name nor coinage, in a
// language that writes them.
bool isCompoundWord(std::string_view word);
