// Where sentences end in subtitle text (UTF-8), and what in a line holds no
// names.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "repair/verbatim.h"

// The line with its markup and links blanked out (<i>, {\an8},
// www.example.org): they hold neither words nor sentence ends.
std::string withoutVerbatim(const std::string& line);

// The sound tags of the line ("[DOOR SLAMS]", also one that a line break
// cuts: "[DOOR" ends a line, "SLAMS]" starts the next): their words in
// capitals are no names, and a joined tag ("[DOORSLAMS]") recurs as a name
// would; a name may stand in one ("[SugarLoop mixer whirring]").
std::vector<Span> tagSpans(std::string_view text);
// Its actions ("*sighs*"): their words are no names.
std::vector<Span> actionSpans(std::string_view text);

// True when the separator run text[from, to) ends a sentence: it holds a
// '!', a '?' or an ellipsis, or a '.' that is neither a decimal point nor
// the period of a title (`previous`, the word before the run: "Mr.
// Bramblebum"). At the start of a line (`lineStart`) a '-' does too: a
// dialogue dash.
bool endsSentence(std::string_view text, size_t from, size_t to, std::string_view previous,
                  bool lineStart);
