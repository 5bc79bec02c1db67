#include "driver/messages.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>

void complain(const std::string& text) {
    std::fflush(stdout);
    std::fputs((text + "\n").c_str(), stderr);
    std::fflush(stderr);
}

void fail(const std::string& text) {
    complain(text);
    std::exit(1);
}

bool openReadableInput(InputFile& in, const char* path) {
    if (!openInput(in, path)) {
        complain(std::string("Could not open the input file: ") + path + ": " +
                 std::strerror(errno));
        return false;
    }
    if (checkReadable(in)) return true;
    complain(std::string("Could not read the input file: ") + path + ": " +
             std::strerror(in.error));
    closeInput(in);
    return false;
}

void openInputOrFail(InputFile& in, const char* path) {
    if (!openReadableInput(in, path)) std::exit(1);
}

bool reportInputProblems(const InputFile& in, const char* path) {
    if (in.error != 0)
        complain(std::string("Could not read the input file: ") + path + ": " +
                 std::strerror(in.error));
    // The rules drop a line's text after a NUL; a UTF-16 file loses all of
    // its text that way, which must not pass unnoticed.
    if (in.linesCut > 0)
        complain("Warning: the text after a NUL byte was dropped from " +
                 std::to_string(in.linesCut) + (in.linesCut == 1 ? " line" : " lines") +
                 " of the input file: " + path);
    // Text after a 0x1A is lost as surely, and a stray one can stand anywhere.
    if (in.endOfTextLine > 0)
        complain("Warning: the text after a byte 0x1A in line " + std::to_string(in.endOfTextLine) +
                 " was not read (" + std::to_string(in.bytesAfterEnd) +
                 (in.bytesAfterEnd == 1 ? " byte" : " bytes") + (in.restUnread ? " or more" : "") +
                 ") from the input file: " + path);
    return in.error != 0;
}

int runReportingOutOfMemory(int (*run)(int, char**), int argc, char** argv) {
    try {
        return run(argc, argv);
    } catch (const std::bad_alloc&) {
        // No allocation here: memory has just run out.
        std::fflush(stdout);
        std::fputs("Out of memory\n", stderr);
        return 1;
    }
}
