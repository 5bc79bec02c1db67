// The search of a word that the top-level walk hands over is bounded: a
// word whose search would run more than trialBudget trials or print more
// than lineBudget lines (a runaway word)
// gets the result that the full search gives and one line instead of that
// search's lines and counts.
#pragma once

#include "repair/repairword.h"

// Repairs an unlisted word handed over by the top-level walk. Nothing of the
// word is shown before it is known whether its search runs away.
void repairWithinBudget(char* word, LineRepair& call);
