#include "repair/trials.h"

#include <cstring>
#include <unordered_map>

#include "repair/repairline.h"

namespace {

int trialDepth = 0;
bool counting = false;
int64_t trialsLeft = 0;
bool remembering = false;

// What a trial leaves behind, all of it decided by the text it was handed:
// its result, its fixed flag and the bytes of the text after it (a rewrite
// leaves the word followed by a NUL and the rest of the old bytes).
struct TrialOutcome {
    std::string result;
    std::string textAfter;
    bool fixed;
};

std::unordered_map<std::string, TrialOutcome> rememberedTrials;

std::string runLiteralTrial(char* text, bool& fixed) {
    ++trialDepth;
    std::string result = repairLine(text, fixed, false);
    --trialDepth;
    return result;
}

std::string runRememberedTrial(char* text, bool& fixed) {
    std::string handed(text);
    auto known = rememberedTrials.find(handed);
    if (known != rememberedTrials.end()) {
        std::memcpy(text, known->second.textAfter.data(), handed.size());
    } else {
        TrialOutcome outcome;
        outcome.result = runLiteralTrial(text, outcome.fixed);
        outcome.textAfter.assign(text, handed.size());
        known = rememberedTrials.emplace(std::move(handed), std::move(outcome)).first;
    }
    fixed = known->second.fixed;
    return known->second.result;
}

}  // namespace

std::string runTrial(char* text, bool& fixed) {
    if (remembering) return runRememberedTrial(text, fixed);
    if (counting && --trialsLeft < 0) throw TrialBudgetExceeded{};
    return runLiteralTrial(text, fixed);
}

bool atTopLevel() {
    return trialDepth == 0;
}

void startCountingTrials(int64_t budget) {
    counting = true;
    trialsLeft = budget;
}

void stopCountingTrials() {
    counting = false;
    trialDepth = 0;
}

void startRememberingTrials() {
    remembering = true;
}

void stopRememberingTrials() {
    remembering = false;
    rememberedTrials.clear();
}
