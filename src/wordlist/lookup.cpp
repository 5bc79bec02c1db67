#include "wordlist/lookup.h"

#include <cstdio>
#include <cstring>

#include "wordlist/chartests.h"
#include "wordlist/wordindex.h"

bool inDict(const char* word) {
    if (!isAsciiLetter(word[0])) {
        std::fputs("inDict got symbol '", stdout);
        std::fputs(word, stdout);
        std::fputs("'\n", stdout);
        std::fflush(stdout);
        return false;
    }
    return indexHolds(word, std::strlen(word));
}
