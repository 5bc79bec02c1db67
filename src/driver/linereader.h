// Reading subtitle lines by the program's own text rules, whatever the
// platform: an LF ends a line, together with any run of CRs just before it;
// a byte 0x1A ends the input as if the file ended there (what follows it is
// counted, so that a file it cut short is told of). A file that has CRs
// but no LF (before its end or its 0x1A) is read as lines ended by each CR;
// in a file that has an LF, a CR that no LF follows is an ordinary byte.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// What a CR that no LF follows is: not known until the first one is met
// (or an LF, which settles it).
enum class LoneCr : char { unknown, ordinary, lineEnd };

struct InputFile {
    int fd = -1;
    int error = 0;  // errno of a failed read; reading stops there
    bool ended = false;
    int64_t linesCut = 0;  // lines whose text a NUL ended
    int64_t lines = 0;     // lines read
    // The line in which a 0x1A ended the input, when more than 0x1A bytes
    // (the padding of old editors) followed it; 0 when none did. The bytes
    // after it: all, in a regular file; only those read already in a pipe
    // or device (restUnread), which might never end.
    int64_t endOfTextLine = 0;
    int64_t bytesAfterEnd = 0;
    bool restUnread = false;
    LoneCr loneCr = LoneCr::unknown;
    size_t pos = 0;               // the next byte of `buffer` to read
    std::string buffer;           // bytes read and not yet taken
    std::string* copy = nullptr;  // when set, every byte read is appended
};

// Opens `path` for reading lines; false, with errno set, when it cannot be
// opened.
bool openInput(InputFile& in, const char* path);
// Tells, before any output is touched, whether the input can be read at
// all: a directory cannot, and a regular file's first read is made now. A
// pipe or terminal is not read early, as that would wait for its writer.
// False, with in.error set, when it cannot.
bool checkReadable(InputFile& in);
void closeInput(InputFile& in);
// Appends to `bytes` what the file still holds beyond what the line reader
// has taken from it, 0x1A and all; a read error sets in.error.
void readRest(InputFile& in, std::string& bytes);

// Reads the next line, without its line end, into `line`. Lines have no
// length limit. A NUL ends a line's text: the bytes after it up to the line
// end are skipped, not stored, so a file of NULs (UTF-16, /dev/zero) costs
// no memory. Returns false when the input ended before any byte was read.
//
// Whether a lone CR ends lines is settled at the first CR met before any LF:
// the input is then read ahead up to its first LF, or its end, and what was
// read is kept. A file of CR-ended lines is thus held whole in memory (as a
// long line is); files with CR LF or LF line ends settle it at once.
bool readLine(InputFile& in, std::string& line);
