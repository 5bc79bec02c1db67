#include "repair/wordbudget.h"

#include <cstring>
#include <string>

#include "repair/counters.h"
#include "repair/trials.h"
#include "wordlist/diagnostics.h"

namespace {

// Messages of a word within the budget are held until its search ends. A
// word whose messages outgrow this is searched again, printing as it goes.
constexpr size_t heldMessageLimit = size_t{4} << 20;

// Everything a word's search can change, so that a search that ran away
// can be undone.
struct WordStart {
    std::string text;
    size_t resultSize;
    std::string chosenSplit;
    bool fixed;
    int64_t fixedCount;
    int64_t ofTheCount;
};

WordStart saveWordStart(const char* word, const LineRepair& call) {
    return {word, call.result.size(), call.chosenSplit, call.fixed, fixedCount, ofTheCount};
}

// The search writes only inside the word, and never past its end.
void restoreWordStart(char* word, LineRepair& call, const WordStart& start) {
    std::memcpy(word, start.text.c_str(), start.text.size() + 1);
    call.result.resize(start.resultSize);
    call.chosenSplit = start.chosenSplit;
    call.fixed = start.fixed;
    fixedCount = start.fixedCount;
    ofTheCount = start.ofTheCount;
}

// The literal search, stopped by the trial past the budget.
bool searchWithinBudget(char* word, LineRepair& call) {
    startCountingTrials(trialBudget);
    try {
        repairUnlisted(word, call);
    } catch (const TrialBudgetExceeded&) {
        stopCountingTrials();
        return false;
    }
    stopCountingTrials();
    return true;
}

// A runaway word: its result is what the full search would append, and
// instead of that search's messages and counts it gets one line and, when
// repaired, one fixed instance.
void repairRunaway(char* word, LineRepair& call, const WordStart& start) {
    dropDiagnostics();
    startRememberingTrials();
    bool repaired = repairUnlisted(word, call);
    stopRememberingTrials();
    printDiagnostics();
    fixedCount = start.fixedCount;
    ofTheCount = start.ofTheCount;
    if (repaired) {
        ++fixedCount;
        reportRunaway(start.text, call.result.substr(start.resultSize));
    } else if (call.verbose) {
        reportNotFound(word);
    }
}

}  // namespace

void repairWithinBudget(char* word, LineRepair& call) {
    WordStart start = saveWordStart(word, call);
    holdDiagnostics(heldMessageLimit);
    bool finished = searchWithinBudget(word, call);
    if (finished && !heldDiagnosticsOverflowed()) {
        printDiagnostics();
        releaseHeldDiagnostics();
        return;
    }
    discardHeldDiagnostics();
    printDiagnostics();
    restoreWordStart(word, call, start);
    if (finished) {
        printDiagnostics(false);
        repairUnlisted(word, call);
        printDiagnostics();
    } else {
        repairRunaway(word, call, start);
    }
}
