#include "wordlist/diagnostics.h"

#include <cstdio>

namespace {

std::string* recording = nullptr;

}  // namespace

void recordDiagnostics(std::string* into) {
    recording = into;
}

void writeDiagnostic(std::initializer_list<std::string_view> parts) {
    if (recording) {
        for (std::string_view part : parts)
            recording->append(part);
        recording->push_back('\n');
        return;
    }
    for (std::string_view part : parts)
        std::fwrite(part.data(), 1, part.size(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

void showRecordedDiagnostics(std::string_view lines) {
    std::fwrite(lines.data(), 1, lines.size(), stdout);
}
