#include "wordlist/diagnostics.h"

#include <cstdio>

namespace {

std::string* recording = nullptr;
std::string showing;  // recorded lines on their way to standard output

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

void writeDiagnosticIn(Encoding encoding, std::initializer_list<std::string_view> parts) {
    if (encoding != Encoding::windows1252) return writeDiagnostic(parts);
    std::string line;
    for (std::string_view part : parts)
        line.append(part);
    writeDiagnostic({toUtf8(line, encoding)});
}

void showRecordedDiagnostics(std::string_view lines) {
    // Recorded lines come in many small pieces; gathering them saves a call
    // of the stream for each.
    constexpr size_t gathered = size_t{1} << 16;
    if (showing.size() + lines.size() > gathered) endShowingDiagnostics();
    if (lines.size() > gathered)
        std::fwrite(lines.data(), 1, lines.size(), stdout);
    else
        showing.append(lines);
}

void endShowingDiagnostics() {
    std::fwrite(showing.data(), 1, showing.size(), stdout);
    std::fflush(stdout);
    showing.clear();
}
