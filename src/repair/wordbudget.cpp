#include "repair/wordbudget.h"

#include <string>

#include "repair/counters.h"
#include "repair/trials.h"

void repairWithinBudget(char* word, LineRepair& call) {
    const std::string handed = word;
    const size_t resultStart = call.result.size();
    const int64_t fixedBefore = fixedCount, ofTheBefore = ofTheCount;
    beginRememberedSearch();
    bool repaired = repairUnlisted(word, call);
    SearchSize size = endRememberedSearch();
    if (size.trials <= trialBudget && size.lines <= lineBudget) {
        showRememberedLines();
        return;
    }
    forgetRememberedSearch();
    // The result, the fixed flag and the rewrites stand: they are the full
    // search's. Its lines and counts give way to one line and one count.
    fixedCount = fixedBefore;
    ofTheCount = ofTheBefore;
    if (repaired) {
        ++fixedCount;
        reportRunaway(handed, call.result.substr(resultStart));
    } else if (call.verbose) {
        reportNotFound(word);
    }
}
