// Messages on standard error, shared by unjam and unjam-names.
#pragma once

#include <string>

#include "driver/linereader.h"

// One line on standard error, after whatever standard output already holds.
void complain(const std::string& text);
// complain, then end the process with status 1.
[[noreturn]] void fail(const std::string& text);

// Opens an input file that can be read, or says why not on standard error
// ("Could not open the input file: PATH: reason" or "Could not read the
// input file: PATH: reason": a directory, a failed first read) and returns
// false. openInputOrFail ends the run then, before any output is touched.
bool openReadableInput(InputFile& in, const char* path);
void openInputOrFail(InputFile& in, const char* path);

// Reports what reading an input file met: a read error (true), and lines
// that a NUL cut short and text that a 0x1A left unread (warnings only).
bool reportInputProblems(const InputFile& in, const char* path);

// Runs a program's whole run; running out of memory ends it with "Out of
// memory" on standard error and status 1.
int runReportingOutOfMemory(int (*run)(int, char**), int argc, char** argv);
