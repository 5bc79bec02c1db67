#include "wordlist/lookup.h"

#include <cstring>
#include <string_view>

#include "wordlist/diagnostics.h"
#include "wordlist/wordindex.h"

bool inDict(const char* word) {
    return inDictSized(word, std::strlen(word));
}

bool inDictSized(const char* word, size_t length) {
    return inDictEncoded(word, length, lineEncoding);
}

bool inDictEncoded(const char* word, size_t length, Encoding encoding) {
    std::string_view text(word, length);
    if (!startsWithLetter(text, encoding)) {
        writeDiagnostic({"inDict got symbol '", toUtf8(text, encoding), "'"});
        return false;
    }
    return indexHoldsWord(word, length, encoding);
}

void inDictPrefixes(const char* word, size_t count, bool* listed) {
    markListedPrefixes(word, count, listed);
}
