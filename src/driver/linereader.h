// Reading subtitle lines by the program's own text rules, whatever the
// platform: LF or CR LF ends a line, a lone CR is an ordinary byte, and a
// byte 0x1A ends the input as if the file ended there.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

struct InputFile {
    int fd;
    int error = 0;  // errno of a failed read; reading stops there
    bool ended = false;
    int64_t linesCut = 0;  // lines whose text a NUL ended
    size_t pos = 0;
    size_t len = 0;
    char buffer[1 << 16];
};

// Reads the next line, without its line end, into `line`. Lines have no
// length limit. A NUL ends a line's text: the bytes after it up to the line
// end are skipped, not stored, so a file of NULs (UTF-16, /dev/zero) costs
// no memory. Returns false when the input ended before any byte was read.
bool readLine(InputFile& in, std::string& line);
