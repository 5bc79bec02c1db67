// Trials: repairLine run again, quietly, on a right piece or a shortened
// word, to learn whether that piece can be repaired. A word's trials run
// literally (and may be counted against a budget), or are remembered by the
// content of the text they are handed, so that each distinct piece is
// searched once.
#pragma once

#include <cstdint>
#include <string>

// The most trials that the search of one word handed over by the top-level
// walk may run, counted at every depth.
constexpr int64_t trialBudget = 100000;

// Thrown by the trial that would exceed the budget.
struct TrialBudgetExceeded {};

// Runs a trial on `text`, in place: a rewrite inside it stays in `text`.
std::string runTrial(char* text, bool& fixed);

// True outside every trial: the word is one the top-level walk handed over.
bool atTopLevel();

// Counted trials: from here, the trial past `budget` throws.
void startCountingTrials(int64_t budget);
// Ends counting, also after a throw left trials unfinished.
void stopCountingTrials();

// Remembered trials: from here until stopRememberingTrials, which forgets them.
void startRememberingTrials();
void stopRememberingTrials();
