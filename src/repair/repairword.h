// The word repair: decides what one word contributes to a line's result.
#pragma once

#include <string>

// What one call of repairLine keeps across its words.
struct LineRepair {
    std::string result;       // the repaired text being built
    std::string chosenSplit;  // the current word's first split, for ambiguity messages
    bool& fixed;
    bool verbose;
};

// `word` is NUL-terminated inside the text the call was handed; it may be
// rewritten in place, never past its end.
void repairWord(char* word, LineRepair& call);
