#include "repair/trials.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <unordered_map>
#include <utility>
#include <vector>

#include "repair/counters.h"
#include "repair/repairline.h"
#include "wordlist/diagnostics.h"

namespace {

// Counts of a search that runs away grow exponentially; they are kept
// below this so that they cannot overflow.
constexpr int64_t countCeiling = int64_t{1} << 62;

int64_t addCapped(int64_t a, int64_t b) {
    return a > countCeiling - b ? countCeiling : a + b;
}

// What a trial does, all of it decided by the text it was handed. Its lines
// are its own, with the lines of each trial it started inserted at `at`.
struct TrialRecord {
    std::string result;
    std::string textAfter;  // a rewrite leaves a NUL and old bytes behind it
    bool fixed = false;
    int64_t trials = 0;  // started inside it, at every depth
    int64_t fixedRise = 0;
    int64_t ofTheRise = 0;
    std::string lines;
    std::vector<std::pair<size_t, const TrialRecord*>> inserted;
    int64_t lineCount = 0;  // shown for it: its lines and its trials' lines
};

int trialDepth = 0;
bool remembering = false;
std::unordered_map<std::string, TrialRecord> records;
TrialRecord wordRecord;            // the word's own search
TrialRecord* recording = nullptr;  // the search whose lines are recorded now
int64_t trialsInSearch = 0;

std::string runLiteralTrial(char* text, bool& fixed, bool beforeApostrophe) {
    ++trialDepth;
    std::string result = repairPiece(text, fixed, beforeApostrophe);
    --trialDepth;
    return result;
}

// A replayed trial shows its lines again, so they count again.
void countLines(TrialRecord& record) {
    int64_t count = std::count(record.lines.begin(), record.lines.end(), '\n');
    for (const auto& [at, trial] : record.inserted)
        count = addCapped(count, trial->lineCount);
    record.lineCount = count;
}

// Runs the trial once, recording what it does.
void recordTrial(char* text, size_t length, bool beforeApostrophe, TrialRecord& record) {
    TrialRecord* caller = recording;
    int64_t trialsBefore = trialsInSearch, fixedBefore = fixedCount, ofTheBefore = ofTheCount;
    recording = &record;
    recordDiagnostics(&record.lines);
    record.result = runLiteralTrial(text, record.fixed, beforeApostrophe);
    record.textAfter.assign(text, length);
    record.trials = trialsInSearch - trialsBefore;
    record.fixedRise = fixedCount - fixedBefore;
    record.ofTheRise = ofTheCount - ofTheBefore;
    countLines(record);
    recording = caller;
    recordDiagnostics(&caller->lines);
}

// Does again what the recorded trial did, to the text and the counts.
void replayTrial(char* text, const TrialRecord& record) {
    std::memcpy(text, record.textAfter.data(), record.textAfter.size());
    trialsInSearch = addCapped(trialsInSearch, record.trials);
    fixedCount = addCapped(fixedCount, record.fixedRise);
    ofTheCount = addCapped(ofTheCount, record.ofTheRise);
}

std::string runRememberedTrial(char* text, bool& fixed, bool beforeApostrophe) {
    trialsInSearch = addCapped(trialsInSearch, 1);
    // A trial's pieces are shorter than its text, so it never meets itself.
    // The key's last byte tells whether an apostrophe follows the text.
    size_t length = std::strlen(text);
    std::string key(text, length);
    key.push_back(beforeApostrophe ? '\'' : '\0');
    auto [known, isNew] = records.try_emplace(std::move(key));
    TrialRecord& record = known->second;
    if (isNew) {
        recordTrial(text, length, beforeApostrophe, record);
    } else {
        replayTrial(text, record);
    }
    // Most trials print nothing, at any depth; only the others are shown.
    if (!record.lines.empty() || !record.inserted.empty())
        recording->inserted.emplace_back(recording->lines.size(), &record);
    fixed = record.fixed;
    return record.result;
}

void showLines(const TrialRecord& record) {
    size_t shown = 0;
    for (const auto& [at, trial] : record.inserted) {
        if (at > shown)
            showRecordedDiagnostics(std::string_view(record.lines).substr(shown, at - shown));
        showLines(*trial);
        shown = at;
    }
    if (record.lines.size() > shown)
        showRecordedDiagnostics(std::string_view(record.lines).substr(shown));
}

}  // namespace

std::string runTrial(char* text, bool& fixed, bool beforeApostrophe) {
    if (remembering) return runRememberedTrial(text, fixed, beforeApostrophe);
    return runLiteralTrial(text, fixed, beforeApostrophe);
}

bool atTopLevel() {
    return trialDepth == 0;
}

void beginRememberedSearch() {
    remembering = true;
    trialsInSearch = 0;
    wordRecord = TrialRecord();
    recording = &wordRecord;
    recordDiagnostics(&wordRecord.lines);
}

SearchSize endRememberedSearch() {
    recordDiagnostics(nullptr);
    remembering = false;
    recording = nullptr;
    countLines(wordRecord);
    return {trialsInSearch, wordRecord.lineCount};
}

void showRememberedLines() {
    showLines(wordRecord);
    endShowingDiagnostics();
    forgetRememberedSearch();
}

void forgetRememberedSearch() {
    // Clearing costs as much as the table is big; after a word with many
    // pieces a fresh table is cheaper for every word that follows.
    if (records.bucket_count() > 1024)
        records = {};
    else
        records.clear();
    wordRecord = TrialRecord();
}
