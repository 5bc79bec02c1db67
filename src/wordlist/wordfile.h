// The word list files as editors save them: opening one, telling why one
// cannot be opened, and reading its text.
#pragma once

#include <cstdio>
#include <string>

// Opens a word file for reading; a directory counts as unopenable (errno
// EISDIR).
FILE* openWordFile(const char* path);

// Why `path` could not be opened, `error` being the errno of openWordFile,
// to follow the file's name ("is a directory"): empty when no file of that
// name exists, not even a link to a missing one.
std::string whyUnopenable(const char* path, int error);

// The whole text of a word file, up to its end, a byte 0x1A or a read error
// (which ends it like its end, keeping what was read), without a UTF-8 byte
// order mark at its start; in a text that has CRs and no LF, as in the
// input, each CR ends a line and is made an LF. A text in UTF-16 is read as
// it is.
std::string readWordFileBytes(FILE* f);
// The same for a word list: one in UTF-16 holds no word that can be found,
// and gets a warning that names the file `name`.
std::string readWordFileText(FILE* f, const char* name);

// One line on standard error, after whatever standard output already holds.
void warnOnStandardError(const std::string& text);
