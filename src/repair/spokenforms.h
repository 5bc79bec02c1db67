// Spoken forms that drop a g ("nothin'", "Gettin'"): kept whole, since cut
// they read "no thin'" and "Get tin'".
#pragma once

#include <cstddef>

// True when the word, of three characters or more, ends in "in" (any case)
// and with a g added is a listed word: "in'" alone is the word "in" before
// a closing quote ('in'), not a spoken "ing". Asked of a word directly
// followed by an apostrophe (' or a typographic one, as apostropheAt finds
// them: "nothin’"): a join with none behind it ("backin") is repaired as
// any other.
bool isDroppedG(const char* word, size_t length);
