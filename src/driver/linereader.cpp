#include "driver/linereader.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace {

constexpr char endOfText = 0x1A;

bool refill(InputFile& in) {
    while (!in.ended) {
        ssize_t got = read(in.fd, in.buffer, sizeof in.buffer);
        if (got > 0) {
            in.pos = 0;
            in.len = static_cast<size_t>(got);
            return true;
        }
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) in.error = errno;
        in.ended = true;
    }
    return false;
}

bool atEnd(InputFile& in) {
    return in.pos == in.len && !refill(in);
}

}  // namespace

bool readLine(InputFile& in, std::string& line) {
    line.clear();
    bool begun = false;  // a byte of the line was read, kept or not
    bool cut = false;
    while (!atEnd(in)) {
        const char* from = in.buffer + in.pos;
        const char* end = in.buffer + in.len;
        const char* stop = from;
        while (stop < end && *stop != '\n' && *stop != '\r' && *stop != endOfText)
            ++stop;
        if (!cut) {
            auto* nul = static_cast<const char*>(std::memchr(from, '\0', stop - from));
            line.append(from, nul ? nul : stop);
            if (nul) ++in.linesCut;
            cut = nul != nullptr;
        }
        begun = begun || stop > from;
        in.pos = static_cast<size_t>(stop - in.buffer);
        if (stop == end) continue;
        if (*stop == endOfText) {
            in.ended = true;
            in.pos = in.len;
            break;
        }
        ++in.pos;
        if (*stop == '\n') return true;
        // A CR ends the line only together with the LF behind it.
        if (!atEnd(in) && in.buffer[in.pos] == '\n') {
            ++in.pos;
            return true;
        }
        begun = true;
        if (!cut) line.push_back('\r');
    }
    return begun;
}
