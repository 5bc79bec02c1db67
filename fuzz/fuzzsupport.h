// What the fuzz harnesses share: failing loudly, a quiet standard output,
// word lists from text, and the check of one repaired line.
#pragma once

#include <cstdint>
#include <string>

// Aborts with `what` on standard error when `ok` is false, so that libFuzzer
// keeps the input as a crash.
void expect(bool ok, const char* what);

// Standard output goes to memory instead of the fuzzer's console; only its
// runaway-word lines are kept, for the checks to read.
void captureStandardOutput();
std::string& capturedOutput();

// Loads the two lists through readDictionary, from a scratch directory.
// A null `secondList` leaves `words2` absent.
void loadWordLists(const std::string& mainList, const char* secondList);

// Writes `bytes` to `path`, replacing it; aborts when that fails.
void writeFile(const std::string& path, const std::string& bytes);
std::string readFile(const std::string& path);

// A line after the walk's doubled-quote rule: '' and `` become ", pairing
// from the left. Every quote byte is a separator, so every pair is merged.
std::string mergeQuotePairs(const std::string& line);

// What a repair added to a line. compareRepair aborts unless `result` comes
// from `line` by the repair's edits only: blanks added, an 'i' dropped, an
// 'O' or 'F' written in lower case, quote pairs merged.
struct RepairEdits {
    int64_t blanksAdded;
    int64_t lettersLowered;
    int64_t iDropped;
};
RepairEdits compareRepair(const std::string& line, const std::string& result);

// A runaway word (one whose search would run too long) counts one instance
// fixed however many splits and of-the rewrites its result holds, and says
// so in one message naming the word and its result. These are the edits its
// results in `output` make beyond what that one instance explains.
RepairEdits runawayExtras(const std::string& output);
