#include "wordlist/wordfile.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string_view>

#include "platform/platform.h"
#include "wordlist/characters.h"

FILE* openWordFile(const char* path) {
    int fd = openForReading(path);
    if (fd < 0) return nullptr;
    if (kindOfFile(fd) == FileKind::directory) {
        closeFile(fd);
        errno = EISDIR;
        return nullptr;
    }
    FILE* f = streamForReading(fd);
    if (!f) closeFile(fd);
    return f;
}

std::string whyUnopenable(const char* path, int error) {
    // A link to a missing file fails as a missing file does.
    if (error == ENOENT) return isLink(path) ? "is a link to a missing file" : "";
    if (error == EISDIR) return "is a directory";
    return std::string("cannot be opened: ") + std::strerror(error);
}

std::string readWordFileBytes(FILE* f) {
    std::string text;
    char chunk[1 << 16];
    size_t got;
    while ((got = std::fread(chunk, 1, sizeof chunk, f)) > 0)
        text.append(chunk, got);
    size_t endOfText = text.find('\x1a');
    if (endOfText != std::string::npos) text.resize(endOfText);
    if (utf16Encoding(text)) return text;
    if (text.starts_with("\xef\xbb\xbf"))
        text.erase(0, 3);  // Notepad's byte order mark would join the first word
    // Lines decide encodings and hold a profile's settings: a text saved
    // with CR line ends alone would be one line.
    if (text.find('\n') == std::string::npos) std::replace(text.begin(), text.end(), '\r', '\n');
    return text;
}

std::string readWordFileText(FILE* f, const char* name) {
    std::string text = readWordFileBytes(f);
    if (const char* utf16 = utf16Encoding(text))
        warnOnStandardError(std::string("Warning: the word list ") + name +
                            " is in UTF-16, so none of its words can be found; convert it to "
                            "UTF-8: " +
                            commandToConvertToUtf8(name, utf16, name));
    return text;
}

void warnOnStandardError(const std::string& text) {
    std::fflush(stdout);
    std::fputs((text + "\n").c_str(), stderr);
    std::fflush(stderr);
}
