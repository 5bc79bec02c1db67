#include "names/coinages.h"

#include <string_view>

#include "names/pairs.h"
#include "wordlist/chartests.h"
#include "wordlist/lookup.h"

namespace {

// English's closed classes: the words that run into their neighbours when
// a space is lost. A series coins its words from the open classes.
const char* const functionWords[] = {
    "a",    "an",    "the",   "this", "that", "these", "those", "i",    "me",   "my",   "you",
    "your", "he",    "him",   "his",  "she",  "her",   "it",    "its",  "we",   "us",   "our",
    "they", "them",  "their", "in",   "on",   "at",    "to",    "of",   "for",  "from", "with",
    "by",   "about", "into",  "onto", "over", "up",    "out",   "off",  "and",  "or",   "but",
    "so",   "if",    "as",    "than", "is",   "are",   "was",   "were", "be",   "am",   "do",
    "did",  "have",  "has",   "had",  "will", "can",   "not",   "no",   "what", "who",  "all"};

bool isFunctionWord(std::string_view piece) {
    for (const char* word : functionWords)
        if (piece == word) return true;
    return false;
}

bool listed(std::string_view piece) {
    return !piece.empty() && isAsciiLetter(piece[0]) && inDictSized(piece.data(), piece.size());
}

bool joinsFunctionWord(std::string_view word) {
    for (size_t cut = 1; cut < word.size(); ++cut) {
        std::string_view left = word.substr(0, cut), right = word.substr(cut);
        if ((isFunctionWord(left) && listed(right)) || (isFunctionWord(right) && listed(left)))
            return true;
    }
    return false;
}

bool dropsG(const std::string& word) {
    return word.size() > 3 && word.ends_with("in") && listed(word + "g");
}

}  // namespace

// Measured on whole seasons: joins of two common words recur as often as
// coinages do, but they are also met spaced, or hold a function word. A
// coinage that starts a sentence is capitalized there ("Gloamhounds!"),
// so such sightings count once it is met in lower case.
bool isCoinage(const std::string& word, const Sighting& seen) {
    return seen.lowercase >= 1 && seen.lowercase + seen.sentenceStarts >= 2 && word.size() >= 5 &&
           timesSpaced(word) == 0 && (!joinsFunctionWord(word) || dropsG(word));
}
