// Stretches of a subtitle text line that are not dialogue: markup tags
// (<i>, </font>, <font color="#00AA00">), override blocks ({\an8}) and
// links or addresses (www.example.org, name@example.org). unjam copies them
// as they stand, looking nothing up, and unjam-names takes neither words
// nor sentence ends from them, so both programs read a line the same way.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

#include "wordlist/characters.h"

struct Span {
    size_t from, to;  // text[from, to)
};

// Every such stretch of the line, read in `encoding`, in order, in one
// pass. A link is looked for in each run that begins the line or follows a
// blank, an apostrophe, markup or a word end beyond ASCII (a curly quote,
// the ellipsis), up to the next of them: it holds "://", begins with
// "www." (any case), is an e-mail address ('@' with a '.' after it) or ends
// in a dot and a top-level domain of a short list. A handle or tag ("@SubsPlease",
// "#subtitles": an '@' or '#' and a letter) is kept whole as a link is.
// ASCII punctuation and symbols around the run ("www.example.org.",
// "(a.com)") are not part of it.
std::vector<Span> verbatimSpans(std::string_view text, Encoding encoding);

// A speaker label: a word in capitals directly followed by a colon, with
// nothing but blanks and dialogue dashes before it on its line ("FARHANA:",
// "- FARHANA:"); `before` and `after` are the line's text around the word,
// read in `encoding`. It is a name: unjam copies it as it stands, and
// unjam-names takes it for a sighting of a name.
bool isSpeakerLabel(std::string_view before, std::string_view word, std::string_view after,
                    Encoding encoding);
