// Diagnostic lines on standard output: the lookup's and the repair's. While
// the repair decides whether a word's lines are shown at all, it holds them
// back or drops them.
#pragma once

#include <cstddef>
#include <initializer_list>
#include <string_view>

enum class DiagnosticMode { print, hold, drop };

// Held lines are kept up to `limit` bytes; past it they are dropped and the
// overflow is remembered.
void holdDiagnostics(size_t limit);
// Printing flushes after each line, or, for a burst of lines that the
// repair knows to be long, once when printing each line is asked for again.
void printDiagnostics(bool flushEachLine = true);
void dropDiagnostics();

// One line made of `parts`: printed (newline, flush), held or dropped.
void writeDiagnostic(std::initializer_list<std::string_view> parts);

// Prints the held lines and forgets them.
void releaseHeldDiagnostics();
void discardHeldDiagnostics();
bool heldDiagnosticsOverflowed();
