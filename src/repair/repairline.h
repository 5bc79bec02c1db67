// The line repair: cuts a line into words and separator runs, hands each
// word of two or more bytes to the word repair and reassembles the result.
#pragma once

#include <string>

// `line` is NUL-terminated and may be changed in place: merged quote pairs
// and doubled-i rewrites stay behind. `fixed` is cleared on entry and set
// when a word is split. `verbose` makes unrepaired words reported.
std::string repairLine(char* line, bool& fixed, bool verbose);
