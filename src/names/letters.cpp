#include "names/letters.h"

#include <string>

#include "repair/compounds.h"
#include "repair/separableverbs.h"
#include "wordlist/caseforms.h"
#include "wordlist/lookup.h"

bool isSmallLetter(char32_t code) {
    if (code < 0x80) return code >= 'a' && code <= 'z';
    return classOf(code) == CharClass::letter && !isCapitalLetter(code);
}

size_t characterCount(std::string_view text) {
    size_t count = 0;
    for (size_t at = 0; at < text.size(); at += characterAt(text, at).length)
        ++count;
    return count;
}

bool isInCapitals(std::string_view word) {
    return isInCapitals(word, Encoding::utf8);
}

bool holdsOnlyLetters(std::string_view word) {
    for (size_t at = 0; at < word.size();) {
        ClassAt c = classAt(word, at, Encoding::utf8);
        if (c.type != CharClass::letter && c.type != CharClass::mark) return false;
        at += c.length;
    }
    return true;
}

bool isCompoundWord(std::string_view word) {
    Encoding before = lineEncoding;
    lineEncoding = encodingOfLine(word);
    bool compound =
        readsAsCompound(word.data(), word.size()) || readsAsSeparableVerb(word.data(), word.size());
    lineEncoding = before;
    return compound;
}

bool isListedWord(std::string_view word) {
    // Asked of every cut of a word: a piece longer than any listed word is
    // answered without reading it.
    if (word.empty() || word.size() > longestListedPiece() ||
        classAt(word, 0, Encoding::utf8).type != CharClass::letter)
        return false;
    return inDictEncoded(word.data(), word.size(), Encoding::utf8);
}
