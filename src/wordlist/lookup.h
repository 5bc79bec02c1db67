// Case-insensitive (A-Z only) lookup in the loaded word list.
#pragma once

// True when the word list holds the word. A word whose first byte is not a
// letter is never found: it gets a diagnostic line on standard output.
bool inDict(const char* word);
