// The words a language accepts beyond its list: inflected forms that a
// spelling dictionary knows but that would be traps as pieces of a join
// (rare forms that match the start or end of common joins). A word of the
// text that is one of them stays whole; none ever serves as a piece of a
// split. They are read from `words.accepted` beside the main list, found
// as its profile is; without that file no word is accepted beyond the list.
#pragma once

#include <cstddef>
#include <string>

// Loads the accepted words of the main list `words`, when it has them. A
// file that is there but cannot be read ends the process with status 1,
// naming it and the reason.
void loadAcceptedWords();

// Reads the accepted words from the text of such a file: one word a line,
// in UTF-8, any order. Replaces those held before.
void setAcceptedWords(const std::string& text);
void clearAcceptedWords();

// True when the `length` bytes at `word`, read in lineEncoding, are an
// accepted word, whatever their case and form.
bool isAccepted(const char* word, size_t length);
