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
    if (!isAsciiLetter(word[0])) {
        writeDiagnostic({"inDict got symbol '", std::string_view(word, length), "'"});
        return false;
    }
    return indexHolds(word, length);
}

void inDictPrefixes(const char* word, size_t count, bool* listed) {
    markListedPrefixes(word, count, listed);
}
