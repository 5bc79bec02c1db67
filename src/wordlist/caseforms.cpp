#include "wordlist/caseforms.h"

#include "wordlist/profile.h"

uint8_t caseFormOf(std::string_view word, Encoding encoding) {
    bool first = true, capitalFirst = false, smallSeen = false;
    for (size_t at = 0; at < word.size();) {
        char32_t code;
        auto byte = static_cast<unsigned char>(word[at]);
        if (byte < 0x80) {
            code = byte;
            ++at;
        } else {
            Character c = decodeCharacter(word, at, encoding);
            code = c.code;
            at += c.length;
        }
        bool capital = isCapitalLetter(code);
        if (!capital &&
            (code < 0x80 ? !(code >= 'a' && code <= 'z') : classOf(code) != CharClass::letter))
            continue;
        if (capital && smallSeen) return formMixed;
        if (first) capitalFirst = capital;
        smallSeen |= !capital;
        first = false;
    }
    return capitalFirst ? formCapital : formSmall;
}

bool isInCapitals(std::string_view word, Encoding encoding) {
    size_t letters = 0;
    for (size_t at = 0; at < word.size();) {
        Character c = decodeCharacter(word, at, encoding);
        bool letter = classOf(c.code) == CharClass::letter;
        if (letter && !isCapitalLetter(c.code)) return false;
        letters += letter;
        at += c.length;
    }
    return letters >= 2;
}

bool fitsListedCase(std::string_view piece, uint8_t listed) {
    if (!activeProfile.caseRule) return true;
    uint8_t written = caseFormOf(piece, lineEncoding);
    return written == formCapital || (listed & written) != 0;
}
