#include "repair/repairword.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstring>
#include <initializer_list>
#include <string_view>
#include <vector>

#include "repair/compounds.h"
#include "repair/contractions.h"
#include "repair/counters.h"
#include "repair/repairline.h"
#include "repair/separableverbs.h"
#include "repair/spokenforms.h"
#include "repair/trials.h"
#include "repair/wordbudget.h"
#include "wordlist/accepted.h"
#include "wordlist/caseforms.h"
#include "wordlist/characters.h"
#include "wordlist/chartests.h"
#include "wordlist/counts.h"
#include "wordlist/diagnostics.h"
#include "wordlist/lookup.h"
#include "wordlist/profile.h"

namespace {

// Diagnostics: one line each on standard output, headed by the line number.
struct LineNumberText {
    char digits[24];
    std::string_view text;
};

LineNumberText lineNumberText() {
    LineNumberText n;
    auto end = std::to_chars(n.digits, n.digits + sizeof n.digits, lineNumber).ptr;
    n.text = std::string_view(n.digits, static_cast<size_t>(end - n.digits));
    return n;
}

// The other reading is `left`, a blank and `right`, or the whole word
// `left` alone when `right` is empty.
void reportAmbiguity(const char* word, const std::string& chosen, std::string_view left,
                     std::string_view right) {
    LineNumberText n = lineNumberText();
    writeDiagnosticIn(lineEncoding,
                      {n.text, ": Ambiguous splitting of '", word, "': chose '", chosen, "' over '",
                       left, right.empty() ? "" : " ", right, "'"});
}

void reportTruncation(const char* word, const std::string& replacement) {
    LineNumberText n = lineNumberText();
    writeDiagnosticIn(lineEncoding,
                      {n.text, ": Truncated 'ii' in '", word, "' to '", replacement, "'"});
}

bool startsWith(const std::string& text, const char* prefix) {
    return text.compare(0, std::strlen(prefix), prefix) == 0;
}

char lowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 0x20) : c;
}

// "ofthe" reads "of the" whenever the rest from the third byte is a word;
// the rule wins over the split search, which would prefer "oft he".
bool applyOfThe(const char* word, LineRepair& call) {
    if (std::strlen(word) < 3 || lowerAscii(word[0]) != 'o' || lowerAscii(word[1]) != 'f' ||
        lowerAscii(word[2]) != 't')
        return false;
    if (!inDict(word + 2)) return false;
    call.result += "of ";
    call.result += word + 2;
    ++fixedCount;
    if (inDict(word + 3)) ++ofTheCount;
    // Weighing readings, a trial's rewrite is a reading as a split is
    // ("natureofthe" is "nature of the"); by the longest first piece, lists
    // have always left such a word ("isofthe") as it stands.
    if (choosesLikeliest()) call.fixed = true;
    return true;
}

// The alternatives that are mere "re"/"ll" contractions of the chosen
// reading (a reyou, we ll) are not worth a message.
bool isQuietAlternative(bool recursive, const std::string& trialResult) {
    return recursive && (startsWith(trialResult, "re") || startsWith(trialResult, "ll"));
}

// A listed piece (with the case `forms` of its listed spellings) that may
// stand in a split as it is written.
bool fitsPiece(std::string_view piece, uint8_t forms) {
    return forms != 0 && fitsListedCase(piece, forms);
}

// A split position that gave a reading: its left piece, what follows it,
// and whether that came from a trial.
struct Reading {
    size_t left;
    std::string tail;
    bool recursive;
};

double scoreOf(const std::string& work, const Reading& r) {
    return readingScore(r.tail, readingScore(std::string_view(work.data(), r.left)));
}

// The readings a weighed search found, in its order: most joins read one
// way only, so the others are kept apart.
struct Readings {
    size_t count = 0;
    Reading first;
    std::vector<Reading> others;
};

void addReading(Readings& found, size_t left, std::string_view tail, bool recursive) {
    Reading r{left, std::string(tail), recursive};
    if (found.count++ == 0)
        found.first = std::move(r);
    else
        found.others.push_back(std::move(r));
}

const Reading& readingAt(const Readings& found, size_t k) {
    return k == 0 ? found.first : found.others[k - 1];
}

// A word of the text whose likeliest reading is less likely than a word the
// list lacks stays whole: a name cut into rare pieces ("Che lo") is likelier
// a name. A trial's piece is not asked: its word has a reading already. A
// lone reading is weighed only when it might be that unlikely.
bool likelierWhole(const std::string& work, const Readings& found, double bestScore) {
    if (activeProfile.unlistedCost <= 0 || !atTopLevel()) return false;
    size_t characters = characterCount(work, lineEncoding);
    if (found.count == 1) {
        const std::string& tail = found.first.tail;
        size_t pieces = 2 + static_cast<size_t>(std::count(tail.begin(), tail.end(), ' '));
        if (!mayBeRarerThanUnlisted(pieces, characters)) return false;
        bestScore = scoreOf(work, found.first);
    }
    return bestScore < unlistedWordScore(characters);
}

// Of the readings found the likeliest is taken (the first of equals, so the
// longest first piece); the others are reported against it.
bool chooseLikeliest(const char* word, const std::string& work, const Readings& found,
                     LineRepair& call) {
    if (found.count == 0) return false;
    size_t best = 0;
    double bestScore = 0;
    for (size_t k = 0; found.count > 1 && k < found.count; ++k) {
        double score = scoreOf(work, readingAt(found, k));
        if (k == 0 || score > bestScore) best = k, bestScore = score;
    }
    if (likelierWhole(work, found, bestScore)) return false;
    call.fixed = true;
    ++fixedCount;
    const Reading& chosen = readingAt(found, best);
    call.chosenSplit.assign(work, 0, chosen.left).append(" ").append(chosen.tail);
    call.result += call.chosenSplit;
    for (size_t k = 0; k < found.count; ++k) {
        const Reading& r = readingAt(found, k);
        if (k != best && !isQuietAlternative(r.recursive, r.tail))
            reportAmbiguity(word, call.chosenSplit, std::string_view(work.data(), r.left), r.tail);
    }
    return true;
}

// Tries every split position, longest listed left piece first. Without
// counts the first split is appended and later ones are reported as
// ambiguities; with them every split is weighed first (chooseLikeliest). Left
// pieces come from the private copy `work`; right pieces from the word
// itself, so a rewrite made by an earlier trial shows in every later right
// piece. A word split after its contraction ending already (at `chosenAt`)
// has its first split: every split here is an alternative to it.
bool searchSplits(char* word, std::string& work, LineRepair& call, size_t chosenAt = 0) {
    // A word that begins with a letter has its left pieces looked up in one
    // pass; any other gets the lookup's diagnostic for each, in turn.
    std::array<uint8_t, longestSearchedWord + 1> listed;
    bool ascii = lineEncoding == Encoding::ascii || isAscii(work);
    bool batched = ascii && isAsciiLetter(work[0]) && work.size() < listed.size();
    if (batched) inDictPrefixes(work.data(), work.size() - 1, listed.data());
    size_t wordLength = work.size();  // shrinks when a trial rewrites the word's tail
    bool splitFound = chosenAt > 0;
    bool weighed = chosenAt == 0 && choosesLikeliest();
    Readings readings;
    // Left pieces are read by length, so the copy need not be cut. A word
    // is cut only between characters, never before a combining mark.
    for (size_t p = work.size(); p-- > 1;) {
        std::string_view left(work.data(), p);
        if (!ascii && !isSplitPoint(work, p, lineEncoding)) continue;
        if (p != chosenAt && fitsPiece(left, batched ? listed[p] : listedForms(left.data(), p))) {
            char* right = word + p;
            bool direct = holdsPiece(right, wordLength - p, call);
            bool recursive = false;
            std::string trialResult;
            if (!direct) {
                trialResult = runTrial(right, recursive, call.beforeApostrophe);
                wordLength = p + std::strlen(right);
            }
            std::string_view tail =
                direct ? std::string_view(right, wordLength - p) : std::string_view(trialResult);
            if (direct || recursive) {
                if (weighed) {
                    addReading(readings, p, tail, recursive);
                } else if (!splitFound) {
                    call.fixed = true;
                    ++fixedCount;
                    splitFound = true;
                    call.chosenSplit.assign(left).append(" ").append(tail);
                    call.result += call.chosenSplit;
                } else if (!isQuietAlternative(recursive, trialResult)) {
                    reportAmbiguity(word, call.chosenSplit, left, tail);
                }
            }
        }
    }
    return weighed ? chooseLikeliest(word, work, readings, call) : splitFound;
}

// Writes a replacement over the word when it fits; a longer one is left out
// of the handed text, whose bytes behind the word must stay as they are.
void rewriteInPlace(char* word, const std::string& replacement) {
    if (replacement.size() > std::strlen(word)) return;
    std::memcpy(word, replacement.data(), replacement.size());
    word[replacement.size()] = '\0';
}

// OCR often doubles an i ("wiill"): drop the first i of the first "ii" and
// keep the result if it is a word or can be split into words.
bool applyDoubledI(char* word, std::string& work, std::string& replacement,
                   const LineRepair& call) {
    int32_t at = activeProfile.doubledI ? findSubstring(word, "ii") : -1;
    if (at < 0) return false;
    work.assign(word);
    work.erase(static_cast<size_t>(at), 1);
    if (inDict(work.c_str())) {
        replacement = work;
    } else {
        bool trialFixed;
        replacement = runTrial(work.data(), trialFixed, call.beforeApostrophe);
        if (!trialFixed) return false;
    }
    reportTruncation(word, replacement);
    rewriteInPlace(word, replacement);
    return true;
}

// A join before an elided word's apostrophe ("jel'ai", "tuttodell'anno"):
// the elision is split off its end when what stands before it is listed or
// can be repaired; the longest elision it ends with is tried.
bool splitElision(char* word, LineRepair& call) {
    size_t length = std::strlen(word), best = 0;
    for (const std::string& elision : activeProfile.elisions)
        if (elision.size() > best && elision.size() < length &&
            isElision(word + length - elision.size(), elision.size()))
            best = elision.size();
    if (best == 0) return false;
    std::string rest(word, length - best);
    bool repaired = inDictSized(rest.data(), rest.size());
    std::string head = repaired ? rest : runTrial(rest.data(), repaired, false);
    if (!repaired) return false;
    call.fixed = true;
    ++fixedCount;
    call.chosenSplit = head + " " + std::string(word + length - best, best);
    call.result += call.chosenSplit;
    return true;
}

// A listed word behind a contraction that begins with its ending
// ("It'|shim", "You'|rerunning") is mostly the ending run into the next
// word when the contraction ends a listed word of two letters or more:
// speech elides in shorter ones ("C'mon", "ol'man", "rock'n'roll"). With
// counts, it is split when the rest is likelier than the whole; the whole
// is reported as the other reading.
bool splitsOffEnding(char* word, size_t length, LineRepair& call) {
    if (!call.afterContraction || !atTopLevel() || !choosesLikeliest() ||
        characterCount(call.contracted, lineEncoding) < 2 ||
        !inDictSized(call.contracted.data(), call.contracted.size()) || !inDictSized(word, length))
        return false;
    std::string_view text(word, length);
    size_t at = leadingEnding(text, call);
    if (at == 0 || at == length || !isSplitPoint(text, at, lineEncoding) ||
        !holdsPiece(word + at, length - at, call) ||
        readingScore(text.substr(at)) <= readingScore(text))
        return false;
    call.fixed = true;
    ++fixedCount;
    call.chosenSplit.assign(word, at).append(" ").append(text.substr(at));
    call.result += call.chosenSplit;
    reportAmbiguity(word, call.chosenSplit, text, {});
    return true;
}

}  // namespace

void reportNotFound(const char* word) {
    LineNumberText n = lineNumberText();
    writeDiagnosticIn(lineEncoding, {n.text, ": Couldn't find '", word, "' in the dictionary."});
}

void reportRunaway(const std::string& word, const std::string& result) {
    LineNumberText n = lineNumberText();
    writeDiagnosticIn(lineEncoding, {n.text, ": Ambiguous splitting of '", word, "': chose '",
                                     result, "' over too many alternatives to list"});
}

bool holdsPiece(const char* piece, size_t length, const LineRepair& call) {
    return fitsPiece(std::string_view(piece, length), listedForms(piece, length)) ||
           readsAsCompound(piece, length) || readsAsSeparableVerb(piece, length) ||
           (call.beforeApostrophe && isDroppedG(piece, length));
}

bool repairUnlisted(char* word, LineRepair& call) {
    // Behind a contraction, its ending comes first; a split of the whole
    // word that also works is reported as the other reading. Its trials may
    // have rewritten the word ("liies"), so the copy is taken after them.
    if (call.afterContraction || call.afterOpeningApostrophe) {
        if (size_t at = splitContraction(word, call)) {
            std::string work(word);
            searchSplits(word, work, call, at);
            return true;
        }
    }
    std::string work(word);
    if (call.beforeApostrophe && splitElision(word, call)) return true;
    if (applyOfThe(word, call) || searchSplits(word, work, call)) return true;
    std::string replacement;
    if (applyDoubledI(word, work, replacement, call)) {
        call.result += replacement;
        return true;
    }
    if (call.verbose) reportNotFound(word);
    call.result += word;
    return false;
}

void repairWord(char* word, LineRepair& call) {
    size_t length = std::strlen(word);
    if (atTopLevel() && length > longestSearchedWord) {
        // Longer than any line the search was made for: its cost would
        // grow without bound, so it is passed on unsearched.
        if (call.verbose) reportNotFound(word);
        call.result += word;
        return;
    }
    // A trial's word is a piece after the first of the word it came from;
    // a word of the text is kept in any case its list holds it, and when
    // the language accepts it: as a piece of a join it would be a trap.
    if (isAllDigits(word) ||
        (atTopLevel() ? inDictSized(word, length) || isAccepted(word, length)
                      : fitsPiece(std::string_view(word, length), listedForms(word, length))) ||
        (call.beforeApostrophe && isElision(word, length))) {
        if (!splitsOffEnding(word, length, call)) call.result.append(word, length);
        return;
    }
    if (atTopLevel() && (readsAsCompound(word, length) || readsAsSeparableVerb(word, length)))
        call.result.append(word, length);
    else if (atTopLevel())
        repairWithinBudget(word, call);
    else
        repairUnlisted(word, call);
}
