// Lower-case words a series coins (`glimmerfox`, `ghostbox`): the word list
// lacks them and the repair would cut them into listed pieces.
#pragma once

#include <string>

#include "names/sightings.h"

// True when the word (lower case) is met in lower case and recurs (in lower
// case or capitalized at a sentence start), is five bytes or
// longer, was never met cut in two by a blank, and is no function word run
// into a listed one ("thisone", "ahook"); a spoken -in form of a listed
// -ing word ("nothin") counts as coined too.
bool isCoinage(const std::string& word, const Sighting& seen);
