// Diagnostic lines on standard output: the lookup's and the repair's. While
// the repair searches a word, it records them instead, to show them once it
// knows that they are to be shown at all.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

// From here, lines are appended to `into`; nullptr: printed again.
void recordDiagnostics(std::string* into);

// One line made of `parts`: printed (newline, flush) or recorded.
void writeDiagnostic(std::initializer_list<std::string_view> parts);

// Prints recorded lines, in order; they are all out once
// endShowingDiagnostics returns.
void showRecordedDiagnostics(std::string_view lines);
void endShowingDiagnostics();
