// Lower-case words a series coins (`glimmerfox`, `ghostbox`): the word list
// lacks them and the repair would cut them into listed pieces.
#pragma once

#include <cstdint>
#include <map>
#include <string>

#include "names/sightings.h"

// True when the word (lower case) is met in lower case and recurs (in lower
// case or capitalized at a sentence start), is five characters or
// longer, was never met cut in two by a blank, and is no function word run
// into a listed one ("thisone", "ahook"); a spoken -in form of a listed
// -ing word ("nothin") counts as coined too.
// `runIn`: its sightings run into a listed word before it (runInSightings).
bool isCoinage(const std::string& word, const Sighting& seen, int64_t runIn);

// By a lower-case word that no list holds, how often it was met as the end
// of a longer lower-case word that begins with a listed word.
std::map<std::string, int64_t> runInSightings();
