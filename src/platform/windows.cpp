// The platform layer on Windows. Paths arrive as UTF-8 and go to the wide
// (UTF-16) functions, so that every file name works whatever the code page;
// every descriptor is in binary mode.
#define WIN32_LEAN_AND_MEAN
#define NOMINMAX
#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace {

// Descriptors that openForReading gave for a folder: the null device,
// whose reads fail with EISDIR as reading a folder does on Linux.
std::vector<int> folderDescriptors;

bool isFolderDescriptor(int fd) {
    for (int folder : folderDescriptors)
        if (folder == fd) return true;
    return false;
}

std::wstring widen(const char* text) {
    int size = MultiByteToWideChar(CP_UTF8, 0, text, -1, nullptr, 0);
    if (size <= 0) return std::wstring();
    std::wstring wide(static_cast<size_t>(size), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text, -1, wide.data(), size);
    wide.pop_back();  // the terminating NUL, which the string keeps itself
    return wide;
}

std::string narrow(const std::wstring& text) {
    int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
    if (size <= 0) return std::string();
    std::string utf8(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, utf8.data(), size, nullptr, nullptr);
    utf8.pop_back();
    return utf8;
}

FileKind kindOf(unsigned mode) {
    if ((mode & _S_IFMT) == _S_IFREG) return FileKind::regular;
    if ((mode & _S_IFMT) == _S_IFDIR) return FileKind::directory;
    return FileKind::other;
}

int errnoOf(DWORD error) {
    switch (error) {
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
        case ERROR_INVALID_NAME:
            return ENOENT;
        case ERROR_ACCESS_DENIED:
        case ERROR_SHARING_VIOLATION:
            return EACCES;
        default:
            return EIO;
    }
}

bool identifyHandle(HANDLE handle, FileIdentity& id) {
    BY_HANDLE_FILE_INFORMATION info;
    if (!GetFileInformationByHandle(handle, &info)) {
        errno = errnoOf(GetLastError());
        return false;
    }
    id.volume = info.dwVolumeSerialNumber;
    id.index = (static_cast<uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
    return true;
}

// Windows shells leave wildcards to the program: `*.srt` becomes the files
// it matches, sorted, as a POSIX shell would give them; a pattern that
// matches nothing stays as it is. (No file name holds `*` or `?`.)
void addArgument(const std::wstring& argument, std::vector<std::string>& texts) {
    size_t first = texts.size();
    if (argument.find_first_of(L"*?") != std::wstring::npos) {
        size_t slash = argument.find_last_of(L"\\/:");
        std::wstring folder = slash == std::wstring::npos ? L"" : argument.substr(0, slash + 1);
        WIN32_FIND_DATAW found;
        HANDLE search = FindFirstFileW(argument.c_str(), &found);
        if (search != INVALID_HANDLE_VALUE) {
            do {
                std::wstring name = found.cFileName;
                if (name != L"." && name != L"..") texts.push_back(narrow(folder + name));
            } while (FindNextFileW(search, &found));
            FindClose(search);
        }
        std::sort(texts.begin() + static_cast<long>(first), texts.end());
    }
    if (texts.size() == first) texts.push_back(narrow(argument));
}

int openNullDevice(int flags) {
    return _wopen(L"NUL", flags | _O_BINARY | _O_NOINHERIT);
}

}  // namespace

char** argumentsInUtf8(int& argc, char** argv) {
    static std::vector<std::string> texts;
    static std::vector<char*> pointers;
    int count = 0;
    wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!wide) return argv;
    for (int k = 0; k < count; ++k)
        if (k == 0)
            texts.push_back(narrow(wide[k]));
        else
            addArgument(wide[k], texts);
    LocalFree(wide);
    for (std::string& text : texts)
        pointers.push_back(text.data());
    pointers.push_back(nullptr);
    argc = static_cast<int>(texts.size());
    return pointers.data();
}

void ensureStandardStreams() {
    for (int fd = 0; fd <= 2; ++fd) {
        // -1: closed; -2: not connected to anything (a program without a console).
        intptr_t handle = _get_osfhandle(fd);
        if (handle == -1 || handle == -2) {
            int opened = openNullDevice(_O_RDWR);
            if (opened >= 0 && opened != fd) {
                _dup2(opened, fd);
                _close(opened);
            }
        }
        _setmode(fd, _O_BINARY);
    }
}

void ignoreBrokenPipes() {}

namespace {

// Where Windows fails otherwise than Linux would, says what Linux says.
int linuxLikeFailure(int fd, const char* path) {
    if (fd >= 0) return fd;
    // A folder is refused as access denied.
    if (kindOfPath(path) == FileKind::directory) errno = EISDIR;
    // A name that Windows cannot hold (`*`, `?`, `<`...) names no file.
    if (errno == EINVAL) errno = ENOENT;
    return fd;
}

}  // namespace

int openForReading(const char* path) {
    if (kindOfPath(path) == FileKind::directory) {
        int fd = openNullDevice(_O_RDONLY);
        if (fd >= 0) folderDescriptors.push_back(fd);
        return fd;
    }
    return linuxLikeFailure(_wopen(widen(path).c_str(), _O_RDONLY | _O_BINARY | _O_NOINHERIT),
                            path);
}

int openForWriting(const char* path) {
    return linuxLikeFailure(
        _wopen(widen(path).c_str(), _O_WRONLY | _O_CREAT | _O_BINARY | _O_NOINHERIT,
               _S_IREAD | _S_IWRITE),
        path);
}

long readFrom(int fd, char* buffer, size_t size) {
    if (isFolderDescriptor(fd)) {
        errno = EISDIR;
        return -1;
    }
    return _read(fd, buffer, static_cast<unsigned>(size < INT_MAX ? size : INT_MAX));
}

FILE* streamForReading(int fd) {
    return _fdopen(fd, "rb");
}

FILE* streamForWriting(int fd) {
    return _fdopen(fd, "wb");
}

int closeFile(int fd) {
    for (size_t k = 0; k < folderDescriptors.size(); ++k)
        if (folderDescriptors[k] == fd) folderDescriptors.erase(folderDescriptors.begin() + k);
    return _close(fd);
}

bool emptyFile(int fd) {
    if (kindOfFile(fd) != FileKind::regular) return true;
    errno_t error = _chsize_s(fd, 0);
    if (error != 0) errno = error;
    return error == 0;
}

bool removeFile(const char* path) {
    return _wunlink(widen(path).c_str()) == 0;
}

bool isLink(const char* path) {
    DWORD attributes = GetFileAttributesW(widen(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

FileKind kindOfPath(const char* path) {
    // The C library finds no folder by a name with a slash at its end
    // (`out\`), which Linux takes; a root (`C:\`, `\`) keeps its own.
    std::wstring name = widen(path);
    while (name.size() > 1 && name.find_last_of(L"\\/") == name.size() - 1 &&
           name[name.size() - 2] != L':')
        name.pop_back();
    struct _stat64 st;
    return _wstat64(name.c_str(), &st) == 0 ? kindOf(st.st_mode) : FileKind::missing;
}

FileKind kindOfFile(int fd) {
    if (isFolderDescriptor(fd)) return FileKind::directory;
    struct _stat64 st;
    return _fstat64(fd, &st) == 0 ? kindOf(st.st_mode) : FileKind::missing;
}

bool identifyPath(const char* path, FileIdentity& id) {
    // No access asked: any file can be looked at, even one open elsewhere;
    // the backup flag lets a folder be opened too.
    HANDLE handle =
        CreateFileW(widen(path).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        errno = errnoOf(GetLastError());
        return false;
    }
    bool known = identifyHandle(handle, id);
    CloseHandle(handle);
    return known;
}

bool identifyFile(int fd, FileIdentity& id) {
    auto handle = reinterpret_cast<HANDLE>(_get_osfhandle(fd));
    if (handle == INVALID_HANDLE_VALUE) {
        errno = EBADF;
        return false;
    }
    return identifyHandle(handle, id);
}

std::string installedWordsPath() {
    std::wstring exe(MAX_PATH, L'\0');
    for (;;) {
        DWORD size = GetModuleFileNameW(nullptr, exe.data(), static_cast<DWORD>(exe.size()));
        if (size < exe.size()) {
            exe.resize(size);
            break;
        }
        exe.resize(exe.size() * 2);  // cut short: a longer path
    }
    size_t slash = exe.find_last_of(L"\\/");
    exe.resize(slash == std::wstring::npos ? 0 : slash + 1);
    return narrow(exe + L"words");
}

std::string commandToUseInstalledWords() {
    return "copy \"" + installedWordsPath() + "\" words";
}
