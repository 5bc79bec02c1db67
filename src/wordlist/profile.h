// A word list's language rules, in a small text file beside the list
// (`words.profile`), so that a list brings the rules its language needs and
// `unjam IN OUT` needs no option. Without a profile the rules are English.
//
// The file holds one setting a line, a name and its values; `#` starts a
// comment. Its lines end as the input's do (LF, CR LF, or CR alone in a
// file without LF):
//
//     language fr
//     elisions l d j m n s t c qu jusqu lorsqu puisqu quoiqu
//     endings none
//     doubled-i off
//
// A setting of words (elisions, endings, proclitics, prefixes, verb-starts,
// function-words) may take several
// lines, whose words add up; "none" alone says it has none. Any other
// setting given twice, and a setting with no value, are refused: either
// would leave a line of the file silently unapplied.
//
// language    the list's language, for messages;
// elisions    words that stand before an apostrophe with their last vowel
//             dropped (French l' qu', Italian dell' nell'): found without
//             being listed there, and split off a join before the
//             apostrophe ("jel'ai" becomes "je l'ai");
// endings     the contraction endings that are split off a join behind a
//             letter and an apostrophe, longest first. English's are those
//             that the benchmark's corpora write right behind a letter and
//             an apostrophe, hundreds of times each: ll re ve t s m d. Left out: "n" (met only in
//             names such as "Pudd'nhead", and alone between apostrophes in
//             "rock'n'roll"), "er" (verse only: "o'er") and "em" (never
//             behind a letter: "get 'em");
// proclitics  words that lose their first letters to an apostrophe that
//             opens a word (German 'n 'ne 'nen 's): split, as endings
//             are, off a join that follows such an apostrophe
//             ("'nWasser" becomes "'n Wasser"), and kept when they stand
//             alone there. None by default;
// doubled-i   on or off: whether a doubled i is taken for an OCR error
//             (off where the language writes "ii": Italian "entrambi i");
// case-rule   on or off: whether a piece of a split must be written in a
//             case that its listed spellings allow (caseforms.h): on where
//             the language capitalizes its nouns, so that a piece written
//             small is a word of its own only where the list holds it
//             small (German "Haustür" is no "Haus tür": "Tür" is listed
//             capitalized). Off, the case of a piece plays no part;
// compounds   on or off: whether a word written capitalized that reads as
//             nouns joined, as German writes them, is kept whole
//             ("Lagerfeuer" is no "Lager feuer"; src/repair/compounds.h);
// choice      likeliest or longest: with word counts beside the list
//             (counts.h), a join that reads more than one way takes its
//             likeliest reading ("la maison", not "lamais on"); longest
//             keeps the longest listed first piece, as without counts;
// unlisted-cost  a number above 0, or off: with the likeliest choice, a
//             word of the text that the list lacks stays whole when even
//             its likeliest reading is less likely than an unlisted word
//             of its length, each character of which costs this much
//             (counts.h): "Chelo" is no "Che lo". 3.5 by default;
// prefixes    words that a language writes into the verb form they stand
//             right before (German "raus|kommt", "vorbei|laufen"): a word
//             written small that reads as one or more of them and a listed
//             word is kept whole (src/repair/separableverbs.h). None by
//             default;
// verb-starts what a participle or an infinitive that a prefix joins
//             begins with (German ge zu): a prefix that is also a function
//             word (a preposition: "an", "mit") joins only such a word
//             ("an|gefahren", but "mit|schönen" is a join). None by default;
// function-words  the language's closed classes (articles, pronouns,
//             prepositions, conjunctions, common auxiliaries), written
//             small: unjam-names takes a word that reads as one of them
//             joined to a listed word for a join, not a coinage
//             ("dasmachen"). English's by default.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

struct Profile {
    std::string language = "en";
    std::vector<std::string> elisions;
    std::vector<std::string> endings = {"ll", "re", "ve", "t", "s", "m", "d"};
    std::vector<std::string> proclitics;
    std::vector<std::string> prefixes;
    std::vector<std::string> verbStarts;
    bool doubledI = true;
    bool caseRule = false;
    bool compounds = false;
    bool longestFirst = false;
    double unlistedCost = 3.5;  // 0: off
    std::vector<std::string> functionWords = {
        "a",    "an",    "the",   "this", "that", "these", "those", "i",    "me",   "my",   "you",
        "your", "he",    "him",   "his",  "she",  "her",   "it",    "its",  "we",   "us",   "our",
        "they", "them",  "their", "in",   "on",   "at",    "to",    "of",   "for",  "from", "with",
        "by",   "about", "into",  "onto", "over", "up",    "out",   "off",  "and",  "or",   "but",
        "so",   "if",    "as",    "than", "is",   "are",   "was",   "were", "be",   "am",   "do",
        "did",  "have",  "has",   "had",  "will", "can",   "not",   "no",   "what", "who",  "all"};
};

// The profile of the loaded list; English until loadProfile reads one.
extern Profile activeProfile;

// Reads a profile's text; false with `error` saying which line is wrong and
// why (the caller adds the file's name).
bool parseProfile(std::string_view text, Profile& profile, std::string& error);

// The profile of the main list `words`: `words.profile` in the working
// directory or, when `words` is a link, beside the file it links to. No
// profile: English. A profile that cannot be read or is malformed ends the
// process with status 1, naming the file and the reason.
void loadProfile();
// The same for a profile named by its path (an installed language's).
void loadProfileFile(const std::string& path);

// The file that goes with the main list `words` under the name
// "words" + suffix: in the working directory or, when `words` is a link,
// beside the file it links to; a link to a missing file is one too, and
// fails to be read. Empty when there is none.
std::string fileBesideWords(const std::string& suffix);
// Opens such a file (`path`) for reading. One that cannot be opened ends
// the process with status 1, naming it as `what`, the path and the reason.
FILE* openFileBesideWords(const std::string& path, const char* what);
// Reads that file's text into `text` and its path into `path`; false when
// there is none. One that cannot be read ends the process with status 1,
// naming it as `what` and the path.
bool readFileBesideWords(const std::string& suffix, const char* what, std::string& path,
                         std::string& text);

// True when the word (UTF-8) is one of the profile's function words, as
// written there.
bool isFunctionWord(std::string_view word);

// True when the `length` bytes at `word` are an elision of the profile,
// compared without regard to the case of A-Z.
bool isElision(const char* word, size_t length);
