// What the fuzz harnesses share: failing loudly, a quiet standard output,
// a scratch folder, and the checks of repaired lines against the counters.
#pragma once

#include <cstdint>
#include <string>

// Aborts with `what` on standard error when `ok` is false, so that libFuzzer
// keeps the input as a crash.
void expect(bool ok, const char* what);

// What a repair may add to a line: blanks, and 'O' or 'F' written in lower case.
struct RepairEdits {
    int64_t blanksAdded = 0;
    int64_t lettersLowered = 0;
};

// Standard output goes to memory instead of the fuzzer's console, and only
// its runaway-word lines are read: what their results add up to since the
// harness last cleared runawayEdits.
void captureStandardOutput();
extern RepairEdits runawayEdits;

// The run reads its word lists from the working directory: harnesses work
// in one scratch folder, made on first entry and removed at exit.
void enterScratch();
void leaveScratch();
void writeFile(const char* path, const std::string& bytes);
std::string readFile(const char* path);

// A line after the walk's doubled-quote rule: '' and `` become ", pairing
// from the left.
std::string mergeQuotePairs(const std::string& line);

// Aborts unless `result` comes from `line` by the repair's edits only:
// blanks added, an 'i' dropped where the line has "ii", an 'O' or 'F'
// written in lower case, quote pairs merged. Returns the edits.
RepairEdits compareRepair(const std::string& line, const std::string& result);

// Every blank comes from a counted split or of-the rewrite, and only an
// of-the rewrite lowers letters, two of them; but a runaway word counts one
// instance for its whole result (runawayEdits). Aborts unless the edits and
// count rises of some repairs agree so.
void checkCounts(const RepairEdits& edits, int64_t fixedRise, int64_t ofTheRise);
