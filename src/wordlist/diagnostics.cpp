#include "wordlist/diagnostics.h"

#include <cstdio>
#include <string>

namespace {

DiagnosticMode mode = DiagnosticMode::print;
bool flushEachLine = true;
std::string held;
size_t heldLimit = 0;
bool overflowed = false;

void hold(std::initializer_list<std::string_view> parts) {
    size_t size = 1;
    for (std::string_view part : parts)
        size += part.size();
    if (overflowed || held.size() + size > heldLimit) {
        overflowed = true;
        return;
    }
    for (std::string_view part : parts)
        held.append(part);
    held.push_back('\n');
}

}  // namespace

void holdDiagnostics(size_t limit) {
    mode = DiagnosticMode::hold;
    heldLimit = limit;
}

void printDiagnostics(bool flushEach) {
    mode = DiagnosticMode::print;
    flushEachLine = flushEach;
    if (flushEach) std::fflush(stdout);
}

void dropDiagnostics() {
    mode = DiagnosticMode::drop;
}

void writeDiagnostic(std::initializer_list<std::string_view> parts) {
    if (mode == DiagnosticMode::drop) return;
    if (mode == DiagnosticMode::hold) return hold(parts);
    for (std::string_view part : parts)
        std::fwrite(part.data(), 1, part.size(), stdout);
    std::fputc('\n', stdout);
    if (flushEachLine) std::fflush(stdout);
}

void releaseHeldDiagnostics() {
    // Each held line stands for a line written and flushed on its own; one
    // write of them all shows the same bytes.
    if (!held.empty()) {
        std::fwrite(held.data(), 1, held.size(), stdout);
        std::fflush(stdout);
    }
    discardHeldDiagnostics();
}

void discardHeldDiagnostics() {
    held.clear();
    overflowed = false;
}

bool heldDiagnosticsOverflowed() {
    return overflowed;
}
