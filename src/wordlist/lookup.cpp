#include "wordlist/lookup.h"

#include <cstring>
#include <string_view>

#include "wordlist/chartests.h"
#include "wordlist/diagnostics.h"
#include "wordlist/wordindex.h"

bool inDict(const char* word) {
    return inDictSized(word, std::strlen(word));
}

bool inDictSized(const char* word, size_t length) {
    if (lineEncoding == Encoding::ascii && isAsciiLetter(word[0])) return indexHolds(word, length);
    return inDictEncoded(word, length, lineEncoding);
}

bool inDictEncoded(const char* word, size_t length, Encoding encoding) {
    if (encoding == Encoding::ascii) {
        if (isAsciiLetter(word[0])) return indexHolds(word, length);
        writeDiagnostic({"inDict got symbol '", std::string_view(word, length), "'"});
        return false;
    }
    std::string_view text(word, length);
    if (!startsWithLetter(text, encoding)) {
        writeDiagnosticIn(encoding, {"inDict got symbol '", text, "'"});
        return false;
    }
    return indexHoldsWord(word, length, encoding);
}

void inDictPrefixes(const char* word, size_t count, bool* listed) {
    markListedPrefixes(word, count, listed);
}
