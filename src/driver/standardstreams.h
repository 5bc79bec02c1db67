#pragma once

// Opens /dev/null on any of descriptors 0, 1 and 2 that is closed, so that no
// file the program opens later can take a standard stream's place.
void ensureStandardStreams();
