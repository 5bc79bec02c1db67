// Subtitle blocks: runs of non-empty lines that an empty line ends. The
// first two lines of a block (the cue number and the timing line) are not
// text; the third and later are.
#pragma once

#include <string_view>

// Counts `line` into its block (`blockLine`: 0 at start and after an empty
// line) and tells whether it is a text line.
bool isTextLine(std::string_view line, int& blockLine);
