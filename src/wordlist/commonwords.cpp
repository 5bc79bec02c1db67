#include "wordlist/commonwords.h"

#include <vector>

#include "wordlist/counts.h"
#include "wordlist/lookup.h"

namespace {

// One word in this many said, at least, for each piece.
constexpr double commonShare = 1.0 / 10000;

// Longer words are not looked at: a run of common words that long is no
// name anyway, and the search stays linear in the word's length.
constexpr size_t longestJoin = 64;

// A piece of one letter is left out: a name often ends in one that is a word
// too ("Noa" is no "no a"). Only listed words are counted, so a counted
// piece is a listed one.
bool isCommonPiece(std::string_view piece, Encoding encoding) {
    return characterCount(piece, encoding) > 1 && shareOfWords(piece, encoding) >= commonShare;
}

}  // namespace

bool readsAsPieces(std::string_view word, Encoding encoding,
                   bool (*takes)(std::string_view piece, Encoding encoding)) {
    // reached[i]: the first i bytes read as pieces.
    std::vector<bool> reached(word.size() + 1, false);
    reached[0] = true;
    const size_t longest = longestListedPiece();
    for (size_t from = 0; from < word.size(); ++from) {
        if (!reached[from]) continue;
        for (size_t to = from + 1; to <= word.size() && to - from <= longest; ++to) {
            if (from == 0 && to == word.size()) break;  // the word itself is no piece
            if (to < word.size() && !isSplitPoint(word, to, encoding)) continue;
            if (takes(word.substr(from, to - from), encoding)) reached[to] = true;
        }
    }
    return reached[word.size()];
}

bool readsAsCommonWords(std::string_view word, Encoding encoding) {
    if (!haveWordCounts() || word.size() > longestJoin || word.size() < 2) return false;
    return readsAsPieces(word, encoding, isCommonPiece);
}
