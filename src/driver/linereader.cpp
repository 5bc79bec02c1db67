#include "driver/linereader.h"

#include <cerrno>
#include <cstring>
#include <string_view>

#include "platform/platform.h"

namespace {

constexpr char endOfText = 0x1A;
constexpr size_t readSize = size_t{1} << 16;

// Appends one read to the buffer; false once the input has ended or failed.
bool readMore(InputFile& in) {
    while (!in.ended) {
        size_t had = in.buffer.size();
        in.buffer.resize(had + readSize);
        long got = readFrom(in.fd, in.buffer.data() + had, readSize);
        in.buffer.resize(had + static_cast<size_t>(got > 0 ? got : 0));
        if (got > 0 && in.copy) in.copy->append(in.buffer, had);
        if (got > 0) return true;
        if (got < 0) in.error = errno;
        in.ended = true;
    }
    return false;
}

bool atEnd(InputFile& in) {
    if (in.pos < in.buffer.size()) return false;
    in.buffer.clear();
    in.pos = 0;
    return !readMore(in);
}

// Whether an LF comes before the end of the input (or its 0x1A), reading
// ahead as far as that takes.
bool lfAhead(InputFile& in) {
    in.buffer.erase(0, in.pos);
    in.pos = 0;
    size_t from = 0;
    do {
        size_t stop = in.buffer.find_first_of("\n\x1a", from);
        if (stop != std::string::npos) return in.buffer[stop] == '\n';
        from = in.buffer.size();
    } while (readMore(in));
    return false;
}

// Ends the input at the 0x1A at `from` in the buffer, in line `line`, and
// counts the bytes after it: a regular file is read to its end for them (a
// copy still gets every byte), a pipe or device is not read further.
void endAtEndOfText(InputFile& in, size_t from, int64_t line) {
    bool regular = kindOfFile(in.fd) == FileKind::regular, text = false;
    int64_t count = 0;
    do {
        std::string_view rest = std::string_view(in.buffer).substr(from);
        count += static_cast<int64_t>(rest.size());
        text = text || rest.find_first_not_of(endOfText) != std::string_view::npos;
        in.buffer.clear();
        from = 0;
    } while (regular && readMore(in));
    in.ended = true;
    in.pos = 0;
    if (!text) return;
    in.endOfTextLine = line;
    in.bytesAfterEnd = count;
    in.restUnread = !regular;
}

// Takes the run of CRs at the read position; true when an LF follows it,
// which is then taken too: the run and the LF are one line end.
bool crRunEndsLine(InputFile& in, size_t& run) {
    for (run = 0; !atEnd(in) && in.buffer[in.pos] == '\r'; ++in.pos)
        ++run;
    if (atEnd(in) || in.buffer[in.pos] != '\n') return false;
    ++in.pos;
    return true;
}

}  // namespace

bool openInput(InputFile& in, const char* path) {
    in.fd = openForReading(path);
    return in.fd >= 0;
}

bool checkReadable(InputFile& in) {
    FileKind kind = kindOfFile(in.fd);
    if (kind == FileKind::missing)
        in.error = errno;
    else if (kind == FileKind::directory)
        in.error = EISDIR;
    else if (kind == FileKind::regular && in.buffer.empty())
        readMore(in);
    return in.error == 0;
}

void closeInput(InputFile& in) {
    closeFile(in.fd);
    in.fd = -1;
}

void readRest(InputFile& in, std::string& bytes) {
    char chunk[1 << 16];
    long got;
    while ((got = readFrom(in.fd, chunk, sizeof chunk)) > 0)
        bytes.append(chunk, static_cast<size_t>(got));
    if (got < 0) in.error = errno;
}

namespace {

bool readLineText(InputFile& in, std::string& line) {
    line.clear();
    bool begun = false;  // a byte of the line was read, kept or not
    bool cut = false;
    while (!atEnd(in)) {
        const char* from = in.buffer.data() + in.pos;
        const char* end = in.buffer.data() + in.buffer.size();
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
        in.pos = static_cast<size_t>(stop - in.buffer.data());
        if (stop == end) continue;
        if (*stop == endOfText) {
            endAtEndOfText(in, in.pos + 1, in.lines + 1);
            break;
        }
        if (*stop == '\n') {
            ++in.pos;
            in.loneCr = LoneCr::ordinary;
            return true;
        }
        if (in.loneCr == LoneCr::unknown)
            in.loneCr = lfAhead(in) ? LoneCr::ordinary : LoneCr::lineEnd;
        if (in.loneCr == LoneCr::lineEnd) {
            ++in.pos;
            return true;
        }
        size_t run;
        if (crRunEndsLine(in, run)) return true;
        begun = true;
        if (!cut) line.append(run, '\r');
    }
    return begun;
}

}  // namespace

bool readLine(InputFile& in, std::string& line) {
    bool read = readLineText(in, line);
    in.lines += read;
    return read;
}
