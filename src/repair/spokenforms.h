// Spoken forms that drop a g ("nothin'", "Gettin'"): kept whole, since cut
// they read "no thin'" and "Get tin'".
#pragma once

#include <cstddef>

// True when the word, directly followed by `behind`, is an apostrophe, ends
// in "in" (any case) and with a g added is a listed word. A join with no
// apostrophe behind it ("backin") is repaired as any other.
bool isDroppedG(const char* word, size_t length, char behind);
