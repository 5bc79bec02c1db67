// Where sentences end in subtitle text, as far as single bytes tell.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// The line with its markup and links blanked out (<i>, {\an8},
// www.example.org): they hold neither words nor sentence ends.
std::string withoutVerbatim(const std::string& line);

// True when the separator run text[from, to) ends a sentence: it holds a
// '!' or a '?', or a '.' that is neither a decimal point nor the period of
// a title (`previous`, the word before the run: "Mr. Bramblebum"). At the
// start of a line (`lineStart`) a '-' does too: a dialogue dash.
bool endsSentence(std::string_view text, size_t from, size_t to, std::string_view previous,
                  bool lineStart);
