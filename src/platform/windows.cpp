// The platform layer on Windows. Paths arrive as UTF-8 and go to the wide
// (UTF-16) functions, so that every file name works whatever the code page;
// every descriptor is in binary mode.
#define WIN32_LEAN_AND_MEAN
#define NOMINMAX
#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include <direct.h>
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <initializer_list>
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

// The folder of the running .exe, with its separator at the end.
std::wstring programFolder() {
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
    return exe;
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

bool ensureStandardStreams() {
    bool outputOpen = true;
    for (int fd = 0; fd <= 2; ++fd) {
        // -1: closed; -2: not connected to anything (a program without a console).
        intptr_t handle = _get_osfhandle(fd);
        if (handle == -1 || handle == -2) {
            if (fd == 1) outputOpen = false;
            int opened = openNullDevice(_O_RDWR);
            if (opened >= 0 && opened != fd) {
                _dup2(opened, fd);
                _close(opened);
            }
        }
        _setmode(fd, _O_BINARY);
    }
    return outputOpen;
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

bool renameFile(const char* from, const char* to) {
    if (MoveFileExW(widen(from).c_str(), widen(to).c_str(), MOVEFILE_REPLACE_EXISTING)) return true;
    errno = kindOfPath(to) == FileKind::directory ? EISDIR : errnoOf(GetLastError());
    return false;
}

bool isLink(const char* path) {
    DWORD attributes = GetFileAttributesW(widen(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

bool isPathSeparator(char c) {
    return c == '/' || c == '\\';
}

std::string fileNameKey(const std::string& name) {
    std::wstring wide = widen(name.c_str());
    CharUpperBuffW(wide.data(), static_cast<DWORD>(wide.size()));
    return narrow(wide);
}

std::string absolutePath(const std::string& path) {
    std::wstring wide = widen(path.c_str());
    DWORD size = GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
    std::wstring full(size, L'\0');
    DWORD written = size ? GetFullPathNameW(wide.c_str(), size, full.data(), nullptr) : 0;
    if (written == 0 || written >= size) {
        errno = ENAMETOOLONG;
        return "";
    }
    full.resize(written);
    return narrow(full);
}

namespace {

// Where the folders of `path` begin to be made: after a drive (`C:`, `C:\`)
// or the server and share of a network path (`\\server\share\`).
size_t rootLength(const std::string& path) {
    size_t at = path.size() >= 2 && path[1] == ':' ? 2 : 0;
    if (at == 0 && path.size() >= 2 && isPathSeparator(path[0]) && isPathSeparator(path[1])) {
        size_t server = path.find_first_of("\\/", 2);
        size_t share = server == std::string::npos ? server : path.find_first_of("\\/", server + 1);
        return share == std::string::npos ? path.size() : share + 1;
    }
    while (at < path.size() && isPathSeparator(path[at]))
        ++at;
    return at;
}

// Makes one folder; true when it is one already.
bool makeFolder(const std::string& path) {
    if (_wmkdir(widen(path.c_str()).c_str()) == 0) return true;
    if (errno != EEXIST) return false;
    if (kindOfPath(path.c_str()) == FileKind::directory) return true;
    errno = ENOTDIR;
    return false;
}

}  // namespace

bool makeFolders(const std::string& path) {
    for (size_t at = rootLength(path); at < path.size(); ++at)
        if (isPathSeparator(path[at]) && !isPathSeparator(path[at - 1]) &&
            !makeFolder(path.substr(0, at)))
            return false;
    return makeFolder(path);
}

void pauseMilliseconds(int milliseconds) {
    Sleep(static_cast<DWORD>(milliseconds));
}

bool removeFolder(const char* path) {
    return _wrmdir(widen(path).c_str()) == 0;
}

namespace {

HANDLE lockHandle = INVALID_HANDLE_VALUE;

}  // namespace

bool lockFile(const char* path) {
    // Shared with no other opening, and gone when the process ends however.
    // The programs started from now on inherit the handle: while one of
    // them could still write into the folder, no other run takes it.
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE lock =
        CreateFileW(widen(path).c_str(), GENERIC_READ | GENERIC_WRITE, 0, &inherit, OPEN_ALWAYS,
                    FILE_ATTRIBUTE_NORMAL | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (lock != INVALID_HANDLE_VALUE) {
        lockHandle = lock;  // a failed second try leaves the lock held
        return true;
    }
    DWORD error = GetLastError();
    errno = error == ERROR_SHARING_VIOLATION ? EWOULDBLOCK : errnoOf(error);
    return false;
}

void unlockFile(const char*) {
    CloseHandle(lockHandle);
    lockHandle = INVALID_HANDLE_VALUE;
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
    return narrow(programFolder() + L"words");
}

std::string installedWordsBeside(const char*) {
    return installedWordsPath();
}

// Its counts and its rules stand beside it and must come along: a copy of
// the list alone would choose readings without them.
std::string commandToUseInstalledWords() {
    return "copy \"" + installedWordsPath() + "*\" .";
}

namespace {

// A path as a PowerShell string: in single quotes, which it doubles.
std::string powerShellString(const std::string& path) {
    std::string text = "'";
    for (char c : path)
        text += c == '\'' ? "''" : std::string(1, c);
    return text + "'";
}

}  // namespace

std::string commandToConvertToUtf8(const std::string& from, const char* utf16,
                                   const std::string& to) {
    // ReadAllText takes a byte order mark over the encoding it is given and
    // reads the whole file before WriteAllText, which writes UTF-8 without
    // a mark, opens `to`: `to` may be `from`.
    std::string encoding = std::string(utf16) == "UTF-16BE" ? "BigEndianUnicode" : "Unicode";
    return "powershell -Command \"[IO.File]::WriteAllText(" + powerShellString(to) +
           ", [IO.File]::ReadAllText(" + powerShellString(from) + ", [Text.Encoding]::" + encoding +
           "))\"";
}

std::string programBeside(const char*, const char* name) {
    return narrow(programFolder() + widen(name) + L".exe");
}

bool isRunnable(const char* path) {
    FileKind kind = kindOfPath(path);
    if (kind == FileKind::regular) return true;
    errno = kind == FileKind::directory ? EISDIR : ENOENT;
    return false;
}

namespace {

// An argument as CommandLineToArgvW and the C library read it back: in
// quotes when it holds a blank, backslashes doubled before a quote.
std::wstring quoted(const std::wstring& argument) {
    if (!argument.empty() && argument.find_first_of(L" \t\n\v\"") == std::wstring::npos)
        return argument;
    std::wstring text = L"\"";
    size_t backslashes = 0;
    for (wchar_t c : argument) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        text.append(c == L'"' ? 2 * backslashes + 1 : backslashes, L'\\');
        backslashes = 0;
        text.push_back(c);
    }
    text.append(2 * backslashes, L'\\');
    return text + L"\"";
}

// A handle that the child inherits, or INVALID_HANDLE_VALUE.
HANDLE inheritedFile(const std::string& path, DWORD access, DWORD creation) {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE file = CreateFileW(widen(path.c_str()).c_str(), access,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, &inherit,
                              creation, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) errno = errnoOf(GetLastError());
    return file;
}

HANDLE inheritedStandardError() {
    HANDLE error = INVALID_HANDLE_VALUE;
    if (!DuplicateHandle(GetCurrentProcess(), reinterpret_cast<HANDLE>(_get_osfhandle(2)),
                         GetCurrentProcess(), &error, 0, TRUE, DUPLICATE_SAME_ACCESS))
        errno = errnoOf(GetLastError());
    return error;
}

void closeHandles(std::initializer_list<HANDLE> handles) {
    for (HANDLE handle : handles)
        if (handle != INVALID_HANDLE_VALUE) CloseHandle(handle);
}

// The children started and not yet waited for, and what an interruption
// removes, as the console's handler thread reads them.
CRITICAL_SECTION interruptLock;
std::vector<HANDLE> runningChildren;
std::vector<std::wstring> cleanUpPaths;

struct InterruptLockMade {
    InterruptLockMade() { InitializeCriticalSection(&interruptLock); }
} interruptLockMade;

BOOL WINAPI onInterrupt(DWORD event) {
    if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT && event != CTRL_CLOSE_EVENT)
        return FALSE;
    EnterCriticalSection(&interruptLock);  // held until the process ends
    for (HANDLE child : runningChildren)
        TerminateProcess(child, STATUS_CONTROL_C_EXIT);
    for (HANDLE child : runningChildren)
        WaitForSingleObject(child, INFINITE);
    for (const std::wstring& path : cleanUpPaths)
        if (!DeleteFileW(path.c_str())) RemoveDirectoryW(path.c_str());
    ExitProcess(STATUS_CONTROL_C_EXIT);
}

// The job of every child: closed by Windows when this process ends, however
// it ends, which ends them too.
HANDLE childrenJob() {
    static HANDLE job = [] {
        HANDLE made = CreateJobObjectW(nullptr, nullptr);
        JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
        limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
        if (made && !SetInformationJobObject(made, JobObjectExtendedLimitInformation, &limits,
                                             sizeof limits)) {
            CloseHandle(made);
            made = nullptr;
        }
        return made;
    }();
    return job;
}

// Adds a child to those running, or takes it out (`running` false).
void markRunning(HANDLE child, bool running) {
    EnterCriticalSection(&interruptLock);
    if (running)
        runningChildren.push_back(child);
    else
        std::erase(runningChildren, child);
    LeaveCriticalSection(&interruptLock);
}

}  // namespace

void cleanUpOnInterrupt(const std::vector<std::string>& paths) {
    EnterCriticalSection(&interruptLock);
    cleanUpPaths.clear();
    for (const std::string& path : paths)
        cleanUpPaths.push_back(widen(path.c_str()));
    LeaveCriticalSection(&interruptLock);
    SetConsoleCtrlHandler(onInterrupt, TRUE);
}

bool makeScratchFolder(std::string& folder) {
    wchar_t temp[MAX_PATH + 1];
    DWORD length = GetTempPathW(MAX_PATH + 1, temp);
    if (length == 0 || length > MAX_PATH) {
        errno = ENOENT;
        return false;
    }
    folder = narrow(std::wstring(temp, length));
    // A name no other run takes: the process, the time, and a count of tries.
    unsigned long long seed = GetTickCount64() ^ (GetCurrentProcessId() * 2654435761ULL);
    SetConsoleCtrlHandler(onInterrupt, TRUE);
    for (unsigned tries = 0; tries < 100; ++tries) {
        std::wstring name =
            std::wstring(temp, length) + L"unjam-season." + std::to_wstring(seed + tries);
        // Made and put in the list at one go: the handler waits for the lock.
        EnterCriticalSection(&interruptLock);
        bool made = _wmkdir(name.c_str()) == 0;
        int error = errno;
        if (made) cleanUpPaths = {name};
        LeaveCriticalSection(&interruptLock);
        if (made) {
            folder = narrow(name);
            return true;
        }
        if (error != EEXIST) {
            errno = error;
            return false;
        }
    }
    return false;
}

bool startProgram(const std::string& program, const std::vector<std::string>& args,
                  const std::string& folder, const std::string& outputPath,
                  const std::string& errorPath, RunningProgram& running) {
    std::wstring path = widen(program.c_str());
    std::wstring line = quoted(path);
    for (const std::string& arg : args)
        line += L" " + quoted(widen(arg.c_str()));
    HANDLE output = inheritedFile(outputPath, GENERIC_WRITE, CREATE_ALWAYS);
    HANDLE input = inheritedFile("NUL", GENERIC_READ, OPEN_EXISTING);
    HANDLE error = errorPath.empty() ? inheritedStandardError()
                                     : inheritedFile(errorPath, GENERIC_WRITE, CREATE_ALWAYS);
    if (output == INVALID_HANDLE_VALUE || input == INVALID_HANDLE_VALUE ||
        error == INVALID_HANDLE_VALUE) {
        int reason = errno;
        closeHandles({output, input, error});
        errno = reason;
        return false;
    }
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = input;
    startup.hStdOutput = output;
    startup.hStdError = error;
    PROCESS_INFORMATION child{};
    std::fflush(nullptr);  // what is buffered comes before the child's messages
    // Only handles made inheritable reach the child: every file this
    // program opens itself is opened not to be inherited. The lock keeps an
    // interruption from missing a child just started.
    EnterCriticalSection(&interruptLock);
    // Started suspended, so that it writes nothing before it is in the job.
    bool started =
        CreateProcessW(path.c_str(), line.data(), nullptr, nullptr, TRUE, CREATE_SUSPENDED, nullptr,
                       widen(folder.c_str()).c_str(), &startup, &child);
    int reason = started ? 0 : errnoOf(GetLastError());
    if (started) {
        // Where no job can be had (a system that nests none), the lock it
        // inherits still keeps another run out while it lives.
        if (HANDLE job = childrenJob()) AssignProcessToJobObject(job, child.hProcess);
        markRunning(child.hProcess, true);
        ResumeThread(child.hThread);
    }
    LeaveCriticalSection(&interruptLock);
    closeHandles({output, input, error});
    if (!started) {
        errno = reason;
        return false;
    }
    CloseHandle(child.hThread);
    running.id = reinterpret_cast<intptr_t>(child.hProcess);
    return true;
}

int waitForProgram(RunningProgram& running) {
    auto child = reinterpret_cast<HANDLE>(running.id);
    DWORD code = 1;
    bool ended =
        WaitForSingleObject(child, INFINITE) == WAIT_OBJECT_0 && GetExitCodeProcess(child, &code);
    markRunning(child, false);
    CloseHandle(child);
    if (!ended) {
        errno = EIO;
        return -1;
    }
    return code <= 255 ? static_cast<int>(code) : 256;
}

int processorCount() {
    DWORD count = GetActiveProcessorCount(ALL_PROCESSOR_GROUPS);
    return count > 0 ? static_cast<int>(count) : 1;
}

bool listFolder(const std::string& path, std::vector<std::string>& names) {
    std::wstring pattern = widen(path.c_str());
    if (pattern.empty() || (pattern.back() != L'\\' && pattern.back() != L'/')) pattern += L'\\';
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((pattern + L'*').c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
        DWORD error = GetLastError();
        // A file where the folder should be, as opendir says it on Linux.
        errno = error == ERROR_DIRECTORY || kindOfPath(path.c_str()) == FileKind::regular
                    ? ENOTDIR
                    : errnoOf(error);
        return false;
    }
    do {
        std::wstring name = found.cFileName;
        if (name != L"." && name != L"..") names.push_back(narrow(name));
    } while (FindNextFileW(search, &found));
    DWORD error = GetLastError();
    FindClose(search);
    if (error == ERROR_NO_MORE_FILES) return true;
    errno = errnoOf(error);
    return false;
}

bool startedInOwnWindow() {
    DWORD ids[2];
    return GetConsoleProcessList(ids, 2) == 1;
}

void waitForKey() {
    HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
    DWORD mode;
    if (!GetConsoleMode(input, &mode)) {
        // Input that is no console (a test's pipe): one byte is the key.
        char byte;
        DWORD read;
        ReadFile(input, &byte, 1, &read, nullptr);
        return;
    }
    // Keys pressed while the program ran do not close the window unread.
    FlushConsoleInputBuffer(input);
    INPUT_RECORD record;
    DWORD read;
    while (ReadConsoleInputW(input, &record, 1, &read) && read == 1)
        if (record.EventType == KEY_EVENT && record.Event.KeyEvent.bKeyDown) return;
}

bool openInBrowser(const std::string& path) {
    const wchar_t* opener = _wgetenv(L"UNJAM_OPENER");
    if (opener && *opener) {
        int status = runProgram(narrow(opener), {path}, ".", "NUL");
        if (status == 0) return true;
        if (status > 0) errno = EIO;
        return false;
    }
    // Beyond 32: started; below, the reason.
    auto result = reinterpret_cast<intptr_t>(ShellExecuteW(
        nullptr, L"open", widen(path.c_str()).c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    if (result > 32) return true;
    errno = errnoOf(static_cast<DWORD>(result));
    return false;
}

bool changeFolder(const std::string& path) {
    if (SetCurrentDirectoryW(widen(path.c_str()).c_str())) return true;
    errno = errnoOf(GetLastError());
    return false;
}
