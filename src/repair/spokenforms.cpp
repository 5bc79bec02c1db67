#include "repair/spokenforms.h"

#include <string>

#include "wordlist/characters.h"
#include "wordlist/chartests.h"
#include "wordlist/lookup.h"

bool isDroppedG(const char* word, size_t length) {
    // Only a word that begins with a letter is looked up: any other would
    // get the lookup's diagnostic here as well as in its own repair.
    if (length < 3 || !startsWithLetter(std::string_view(word, length), lineEncoding) ||
        toUpperAscii(word[length - 2]) != 'I' || toUpperAscii(word[length - 1]) != 'N')
        return false;
    std::string withG(word, length);
    withG += 'g';
    return inDictSized(withG.data(), withG.size());
}
