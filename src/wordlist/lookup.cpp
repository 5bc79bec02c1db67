#include "wordlist/lookup.h"

#include <cstring>
#include <string_view>

#include "wordlist/chartests.h"
#include "wordlist/diagnostics.h"
#include "wordlist/wordindex.h"

bool inDict(const char* word) {
    return inDictSized(word, std::strlen(word));
}

uint8_t listedForms(const char* word, size_t length) {
    if (lineEncoding == Encoding::ascii && isAsciiLetter(word[0])) return indexForms(word, length);
    return listedFormsEncoded(word, length, lineEncoding);
}

bool inDictEncoded(const char* word, size_t length, Encoding encoding) {
    return listedFormsEncoded(word, length, encoding) != 0;
}

uint8_t listedFormsEncoded(const char* word, size_t length, Encoding encoding) {
    if (encoding == Encoding::ascii) {
        if (isAsciiLetter(word[0])) return indexForms(word, length);
        writeDiagnostic({"inDict got symbol '", std::string_view(word, length), "'"});
        return 0;
    }
    std::string_view text(word, length);
    if (!startsWithLetter(text, encoding)) {
        writeDiagnosticIn(encoding, {"inDict got symbol '", text, "'"});
        return 0;
    }
    return indexFormsOfWord(word, length, encoding);
}

size_t longestListedPiece() {
    return 3 * longestIndexedWord();
}

void inDictPrefixes(const char* word, size_t count, uint8_t* listed) {
    markListedPrefixes(word, count, listed);
}
