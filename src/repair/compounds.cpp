#include "repair/compounds.h"

#include <string_view>
#include <vector>

#include "wordlist/caseforms.h"
#include "wordlist/characters.h"
#include "wordlist/lookup.h"
#include "wordlist/profile.h"

namespace {

// The places a piece may start or end: character starts that no combining
// mark follows, and the word's end.
std::vector<size_t> cutPoints(std::string_view word) {
    std::vector<size_t> points;
    for (size_t at = 0; at < word.size();) {
        points.push_back(at);
        at += classAt(word, at, lineEncoding).length;
        while (at < word.size() && !isSplitPoint(word, at, lineEncoding))
            ++at;
    }
    points.push_back(word.size());
    return points;
}

// Pieces are three characters or more: two-letter nouns ("Ei", "Öl", and
// "In", "Re" of the list) let too many joins pass for compounds.
constexpr size_t minPiece = 3;

// A noun of the list: a piece listed capitalized. A piece that begins with
// no letter is no word, and is not looked up (which would say so).
bool isListedNoun(std::string_view piece) {
    return startsWithLetter(piece, lineEncoding) &&
           (listedForms(piece.data(), piece.size()) & formCapital) != 0;
}

// A noun, or a noun and the linking s that joins it to the next one
// ("Entlassungs|brief", "Stations|arzt"): nouns in -ung, -heit or -ion
// take it in a compound though no form of theirs ends in s alone.
bool isNoun(std::string_view word, size_t from, size_t to, bool last) {
    std::string_view piece = word.substr(from, to - from);
    if (isListedNoun(piece)) return true;
    return !last && piece.size() > minPiece && piece.back() == 's' &&
           isListedNoun(piece.substr(0, piece.size() - 1));
}

}  // namespace

bool readsAsCompound(const char* word, size_t length) {
    std::string_view text(word, length);
    if (!activeProfile.compounds || caseFormOf(text, lineEncoding) != formCapital) return false;
    std::vector<size_t> points = cutPoints(text);
    const size_t n = points.size() - 1;  // characters
    // ends[k]: the first k characters read as nouns. Only pieces that can
    // be listed are tried, so that a long word costs linear time.
    const size_t longest = longestListedPiece();
    std::vector<bool> ends(n + 1, false);
    for (size_t k = minPiece; k < n && points[k] <= longest; ++k)
        ends[k] = isNoun(text, 0, points[k], false);
    for (size_t k = 2 * minPiece; k <= n; ++k)
        for (size_t j = k - minPiece; j >= minPiece && !ends[k] && points[k] - points[j] <= longest;
             --j)
            ends[k] = ends[j] && isNoun(text, points[j], points[k], k == n);
    // The whole word counts only as two nouns or more, so ends[n] of the
    // first loop is never set.
    return ends[n];
}
