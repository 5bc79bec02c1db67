// Trials: the line walk run again, quietly, on a right piece or a shortened
// word, to learn whether that piece can be repaired. Within the search of a
// word handed over by the top-level walk, trials are remembered by the
// content of the text they are handed (and whether an apostrophe follows
// it): everything a trial does (result,
// fixed flag, the bytes it leaves in its text, its lines, its counts and the
// trials it starts) follows from that text, so a piece met again is replayed
// instead of searched again.
#pragma once

#include <cstdint>
#include <string>

// The most trials that the search of one word handed over by the top-level
// walk may run, counted at every depth, as the search would run them without
// remembering any.
constexpr int64_t trialBudget = 100000;
// The most message lines that the search of such a word may print, counted
// as the search would print them: a few hundred trials on pieces that each
// print a lookup line per left piece would otherwise fill a disk.
constexpr int64_t lineBudget = 100000;

// Runs a trial on `text`, in place: a rewrite inside it stays in `text`.
// `beforeApostrophe`: an apostrophe follows the word that `text` ends.
std::string runTrial(char* text, bool& fixed, bool beforeApostrophe);

// True outside every trial: the word is one the top-level walk handed over.
bool atTopLevel();

// From here until endRememberedSearch, trials are remembered and the lines
// of the search are recorded.
void beginRememberedSearch();
// How many trials the search would have run without remembering any, and
// how many lines it would have printed (both kept from overflowing past any
// budget that counts).
struct SearchSize {
    int64_t trials;
    int64_t lines;
};
// Ends it and returns its size.
SearchSize endRememberedSearch();
// Then shows the lines that the search recorded, or drops them; both forget
// the search's trials.
void showRememberedLines();
void forgetRememberedSearch();
