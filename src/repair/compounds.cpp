#include "repair/compounds.h"

#include <string>
#include <string_view>
#include <vector>

#include "wordlist/caseforms.h"
#include "wordlist/characters.h"
#include "wordlist/commonwords.h"
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
bool isListed(std::string_view piece, CaseForm form) {
    return startsWithLetter(piece, lineEncoding) &&
           (listedForms(piece.data(), piece.size()) & form) != 0;
}

bool isListedNoun(std::string_view piece) {
    return isListed(piece, formCapital);
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

// A compound may also begin with a stem that is no word of its own: a verb's
// or an adjective's ("Lese|brille" of lesen, "Blau|schal" of blau, whose
// forms in -en are listed) or a noun's that drops its e ("Papp|karton" of
// Pappe; not before an e, where no e was dropped: "Kopi|enge|macht" is
// "Kopien gemacht"). Only the first piece, of four characters or more,
// followed by nouns the last of which has four or more too: short stems and
// nouns ("Hör|mal", "Schon|gut") are the words of everyday joins.
constexpr size_t minStemPiece = 4;

bool isStem(std::string_view piece, char next) {
    std::string form(piece);
    if (next != 'e' && isListedNoun(form + 'e')) return true;
    if (isListed(form + "en", formSmall)) return true;
    bool takesN = piece.back() == 'e' || piece.ends_with("er") || piece.ends_with("el");
    return takesN && isListed(form + 'n', formSmall);
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
    // stemmed[k]: the same, from a stem (isStem).
    std::vector<bool> ends(n + 1, false), stemmed(n + 1, false);
    for (size_t k = minPiece; k < n && points[k] <= longest; ++k) {
        ends[k] = isNoun(text, 0, points[k], false);
        stemmed[k] =
            !ends[k] && k >= minStemPiece && isStem(text.substr(0, points[k]), text[points[k]]);
    }
    for (size_t k = 2 * minPiece; k <= n; ++k)
        for (size_t j = k - minPiece; j >= minPiece && !ends[k] && points[k] - points[j] <= longest;
             --j) {
            if (!ends[j] && !stemmed[j]) continue;
            bool noun = isNoun(text, points[j], points[k], k == n);
            ends[k] = ends[j] && noun;
            stemmed[k] = stemmed[k] || (stemmed[j] && noun && (k < n || k - j >= minStemPiece));
        }
    // The whole word counts only as two pieces or more, so neither is set
    // for it by the first loop. A word read from a stem that reads as
    // common words too is their join ("Hause|nehmen": "Hause nehmen").
    return ends[n] || (stemmed[n] && !readsAsCommonWords(text, lineEncoding));
}
