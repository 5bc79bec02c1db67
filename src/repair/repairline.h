// The line repair: cuts a line into words and separator runs, hands each
// word of two or more bytes to the word repair and reassembles the result.
#pragma once

#include <string>

// `line` is NUL-terminated and may be changed in place: merged quote pairs
// and doubled-i rewrites stay behind. `fixed` is cleared on entry and set
// when a word is split. `verbose` makes unrepaired words reported. Markup
// and links are copied as they stand, and so is a word whose g was dropped
// in speech ("nothin'").
std::string repairLine(char* line, bool& fixed, bool verbose);

// The same walk, quiet, over a piece of one word, as a trial of the word
// repair: no markup, link or apostrophe fits inside a word, so none is
// looked for. `beforeApostrophe`: an apostrophe follows that word.
std::string repairPiece(char* piece, bool& fixed, bool beforeApostrophe);
