// How often people say each word of the main list, from `words.counts`
// beside it (found as its profile is). The list knows which words exist;
// the counts tell which reading of a join is likely: "lamaison" is far more
// often "la maison" than "lamais on". Without the file every word is as
// likely as any other and the longest listed first piece wins.
//
// The file holds one word and its count a line, separated by blanks or a
// tab, in UTF-8; a line that begins with `#` is a comment, an empty line is
// skipped, and CR LF, LF and a lone CR all end a line:
//
//     # counted in ...
//     the 182736
//     maison 412
//
// Every word must be one the list holds (in any case), counted once, with a
// whole number from 0 to 4294967295. A file that breaks a rule ends the run
// before the output is begun, naming the file, the line and the rule.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "wordlist/characters.h"

// Loads the counts of the main list `words`, when it has them (after the
// list itself). Ends the process with status 1 when the file is there but
// cannot be read or breaks a rule.
void loadWordCounts();

// Reads counts from a file's text, replacing those held before; false with
// `error` naming the line and the rule it breaks (the caller adds the
// file's name). The list must be loaded: every word must be on it.
bool parseWordCounts(std::string_view text, std::string& error);
void clearWordCounts();

// The same as loadWordCounts for a counts file named by its path (a list
// that is not `words` here: an installed language's).
void loadWordCountsFile(const std::string& path);

// True when counts are loaded.
bool haveWordCounts();
// The share of all words said that are this one (read in `encoding`): 0
// for a word with no count.
double shareOfWords(std::string_view word, Encoding encoding);

// True when counts are loaded and the profile has not asked for the
// longest first piece: the likeliest reading of a join is chosen.
bool choosesLikeliest();

// How likely the words of `text` (pieces separated by blanks, read in
// lineEncoding) are as one reading: the sum of their log-probabilities, less
// a cost for each piece. Higher is likelier. A word with no count is taken
// as said half a time. The sum goes on from `score`, word by word, so that
// a reading weighed in parts adds up exactly as one weighed whole.
double readingScore(std::string_view text, double score = 0);

// How likely a word the list lacks is, as a reading of its own, when it is
// `characters` long: one word said in twenty is unlisted (a name, a rare
// form), and each of its characters costs the profile's unlisted-cost.
// Lower than any reading when the profile turns the test off.
double unlistedWordScore(size_t characters);
// False when a reading of `pieces` words cannot be less likely than an
// unlisted word of `characters` characters, even if none of its words was
// ever counted: such a reading need not be weighed against it.
bool mayBeRarerThanUnlisted(size_t pieces, size_t characters);
