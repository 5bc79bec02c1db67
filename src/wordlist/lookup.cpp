#include "wordlist/lookup.h"

#include <cstring>

#include "wordlist/chartests.h"
#include "wordlist/diagnostics.h"
#include "wordlist/wordindex.h"

bool inDict(const char* word) {
    if (!isAsciiLetter(word[0])) {
        writeDiagnostic({"inDict got symbol '", word, "'"});
        return false;
    }
    return indexHolds(word, std::strlen(word));
}
