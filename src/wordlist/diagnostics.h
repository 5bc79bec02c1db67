// Diagnostic lines on standard output: the lookup's and the repair's. While
// the repair searches a word, it records them instead, to show them once it
// knows that they are to be shown at all.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

#include "wordlist/characters.h"

// From here, lines are appended to `into`; nullptr: printed again.
void recordDiagnostics(std::string* into);

// One line made of `parts`: printed (newline, flush) or recorded.
void writeDiagnostic(std::initializer_list<std::string_view> parts);
// The same for parts that quote text of a line in `encoding`: the line is
// written in UTF-8, whatever the encoding. Text of a UTF-8 line is quoted
// only whole characters at a time, so it is written as it stands.
void writeDiagnosticIn(Encoding encoding, std::initializer_list<std::string_view> parts);

// Prints recorded lines, in order; they are all out once
// endShowingDiagnostics returns.
void showRecordedDiagnostics(std::string_view lines);
void endShowingDiagnostics();
