// Every call the programs make to the operating system, so that the rest of
// the code is the same on every system. posix.cpp implements it for Linux
// and other POSIX systems, windows.cpp for Windows; the build compiles one.
//
// Paths are byte strings: as given on POSIX, UTF-8 on Windows (where they
// are converted to UTF-16 for the system, so that any file name works).
// Files are always read and written in binary mode: the programs apply
// their own text rules (CR LF, 0x1A), the same on every system.
//
// A failing call returns -1, false or an empty result as it says, and
// leaves the reason in errno, to be shown with std::strerror; on Windows the
// system's error codes are mapped to the errno values of the same meaning.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

// --- Process -----------------------------------------------------------

// The command line as UTF-8 text, its count left in `argc`. POSIX: argv
// itself. Windows: the wide command line (GetCommandLineW) split by the
// system's own rules and converted, so that names in any script reach the
// program, and `*` and `?` in an argument expanded to the files they match,
// as a POSIX shell does. Call once, at the start of main; the result lives
// until the process ends.
char** argumentsInUtf8(int& argc, char** argv);

// Opens the null device on any of the standard streams that is closed, so
// that no file opened later takes its place (and gets the messages), and
// puts all three in binary mode (Windows), so that every byte written is
// the byte that arrives. True when standard output was open.
bool ensureStandardStreams();

// A reader that goes away (unjam ... | head) makes writes fail with EPIPE
// instead of ending the process. Windows has no such signal.
void ignoreBrokenPipes();

// --- Files -------------------------------------------------------------

// Opens a file for reading; a descriptor, or -1. A folder opens too, and
// reading it fails with EISDIR (on Windows as on Linux).
int openForReading(const char* path);

// Opens a file for writing, creating it if missing but leaving what it
// holds (see emptyFile); a descriptor, or -1. On Windows as on Linux, a
// folder fails with EISDIR and a name that cannot exist with ENOENT.
int openForWriting(const char* path);

// Reads up to `size` bytes: how many were read, 0 at the end of the file,
// -1 on an error. An interrupted read is retried.
long readFrom(int fd, char* buffer, size_t size);

// A buffered binary stream that reads or writes `fd` and owns it (fclose
// closes both); nullptr on failure.
FILE* streamForReading(int fd);
FILE* streamForWriting(int fd);

// Closes a descriptor from openForReading or openForWriting.
int closeFile(int fd);

// Empties a regular file; other files (devices, pipes) cannot be emptied,
// nor need to be, and are left as they are. False on failure.
bool emptyFile(int fd);

// Deletes the file that `path` names (a link itself, not its target).
bool removeFile(const char* path);

// Puts the file `from` in the place of `to` in one step, replacing what was
// there: a link named `to` is replaced, not the file it points to. False
// with errno set (EISDIR when `to` is a folder, on Windows as on Linux).
bool renameFile(const char* from, const char* to);

// Whether `path` itself is a symbolic link (on Windows, any reparse point),
// whatever it points to.
bool isLink(const char* path);

// --- Folders and paths -------------------------------------------------

// Whether `c` ends a folder's name in a path: `/` on POSIX; `/` or `\` on
// Windows.
bool isPathSeparator(char c);

// Where the last folder name of `path` ends, or npos.
inline size_t lastSeparator(const std::string& path) {
    for (size_t at = path.size(); at-- > 0;)
        if (isPathSeparator(path[at])) return at;
    return std::string::npos;
}

// What follows the last separator of `path`: the name of its file.
inline std::string fileName(const std::string& path) {
    size_t slash = lastSeparator(path);
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// What tells file names in one folder apart: the name itself on POSIX; on
// Windows, which ignores case in names, the name in capitals, so that
// `ep1.srt` and `EP1.SRT` are one.
std::string fileNameKey(const std::string& name);

// `path` as seen from anywhere: unchanged when absolute, else from the
// working directory (on Windows, GetFullPathNameW's full path). Empty, with
// errno set, when no other program could open it by that path (POSIX: it
// would be longer than PATH_MAX).
std::string absolutePath(const std::string& path);

// Creates the folder and any missing parents, as `mkdir -p`; true when it
// is a folder already. False with errno set (ENOTDIR when a file is in the
// way, on Windows as on Linux).
bool makeFolders(const std::string& path);

// A new empty folder of this user's own for scratch files: under TMPDIR (or
// /tmp) on POSIX, under GetTempPathW's folder on Windows. From the moment it
// is made, an interruption removes it (see cleanUpOnInterrupt, whose next
// call replaces that). False with errno set and `folder` the folder it was
// to be made in.
bool makeScratchFolder(std::string& folder);

// Makes `path` the working directory.
bool changeFolder(const std::string& path);

// Deletes an empty folder.
bool removeFolder(const char* path);

// Takes the lock file `path` (created if missing) for this process until
// unlockFile or its end; false with errno set: EWOULDBLOCK when another
// process holds it. POSIX: flock; Windows: the file opened for this
// process alone. Where a program that startProgram starts while it is held
// might outlive this process (not on Linux), it holds the lock too, until
// it ends. One lock at a time.
bool lockFile(const char* path);
// Removes the lock file and lets it go.
void unlockFile(const char* path);

// Waits about this many milliseconds.
void pauseMilliseconds(int milliseconds);

// The names of the entries of the folder `path`, `.` and `..` left out, in
// no order. False with errno set when it cannot be read.
bool listFolder(const std::string& path, std::vector<std::string>& names);

// --- What a path is ----------------------------------------------------

enum class FileKind { missing, regular, directory, other };

// The kind of file that `path` names, links followed, or that a descriptor
// reads (a folder's from openForReading too); `missing` also when it cannot
// be looked at.
FileKind kindOfPath(const char* path);
FileKind kindOfFile(int fd);

// What tells one file from every other while it exists: POSIX, the device
// and inode numbers; Windows, the volume serial number and the file index
// (GetFileInformationByHandle). Two paths, links or spellings (.\in.srt,
// IN.SRT, a short 8.3 name) name one file when their identities agree.
struct FileIdentity {
    uint64_t volume = 0;
    uint64_t index = 0;
};
inline bool sameIdentity(const FileIdentity& a, const FileIdentity& b) {
    return a.volume == b.volume && a.index == b.index;
}

// The identity of the file that `path` names, links followed, or of an
// open descriptor. False when it cannot be had.
bool identifyPath(const char* path, FileIdentity& id);
bool identifyFile(int fd, FileIdentity& id);

// --- Other programs ----------------------------------------------------

// The path of the program `name` in the folder of the running program
// (`name.exe` on Windows). POSIX finds that folder by /proc/self/exe, or
// else by `argv0`.
std::string programBeside(const char* argv0, const char* name);

// Whether `path` is a program that can be run; false with errno set
// (EISDIR for a folder).
bool isRunnable(const char* path);

// Runs `program` with `args` in `folder`: standard input from the null
// device, standard output into `outputPath` (created or emptied), standard
// error shared. Returns its exit status: 0-255, or 128 + N when signal N
// ended it (POSIX), or 256 when an exception ended it (Windows, where the
// exit code is then the exception's, 0xC0000005 and the like). -1, with
// errno set, when it could not be started.
inline int runProgram(const std::string& program, const std::vector<std::string>& args,
                      const std::string& folder, const std::string& outputPath);

// A program that startProgram started and no one has waited for yet.
struct RunningProgram {
    intptr_t id = 0;  // POSIX: its process id; Windows: its process handle
};
// The most programs started and not yet waited for at any time.
constexpr int maxRunningPrograms = 16;
// Starts `program` as runProgram runs it, with its standard error into
// `errorPath` (created or emptied) or, when that is empty, shared; does not
// wait for it. It ends when this process ends, however that ends, even
// killed outright (Linux: SIGKILL at the parent's death; Windows: a job
// object that kills its processes when closed). False, with errno set,
// when it could not be started.
bool startProgram(const std::string& program, const std::vector<std::string>& args,
                  const std::string& folder, const std::string& outputPath,
                  const std::string& errorPath, RunningProgram& running);
// Waits for a started program to end: its status as runProgram gives it.
int waitForProgram(RunningProgram& running);
// How many processors this computer has for programs to run on at once.
int processorCount();

inline int runProgram(const std::string& program, const std::vector<std::string>& args,
                      const std::string& folder, const std::string& outputPath) {
    RunningProgram running;
    if (!startProgram(program, args, folder, outputPath, "", running)) return -1;
    return waitForProgram(running);
}

// What an interruption (POSIX: SIGINT, SIGTERM, SIGHUP, SIGQUIT; Windows: Ctrl-C,
// Ctrl-Break, the console closed) is to clean up: the programs started
// and not yet waited for are ended, the files of `paths` are removed in their
// order (an empty folder too), and the process ends as the interruption
// would have ended it. Each call replaces the list.
void cleanUpOnInterrupt(const std::vector<std::string>& paths);

// --- The installed word list -------------------------------------------

// Where the default word list is installed. POSIX: under the install
// prefix chosen when building (UNJAM_INSTALLED_WORDS). Windows: `words`
// beside the running .exe, as the zip holds it.
std::string installedWordsPath();

// The installed list as found from the running program's own place, so that
// an installed tree still works after it is moved. POSIX:
// ../share/unjam/words from the program's folder, links resolved. Windows:
// installedWordsPath(), `words` beside the .exe.
std::string installedWordsBeside(const char* argv0);

// The shell command that puts the installed list in the working directory
// as `words`: `ln -s PATH words` on POSIX, `copy "PATH" words` on Windows.
std::string commandToUseInstalledWords();

// The shell command that converts the file `from`, in `utf16` ("UTF-16",
// read by its byte order mark, "UTF-16BE" or "UTF-16LE"), to UTF-8 as
// `to`, or in its place when `to` is `from`. POSIX: iconv. Windows, which
// has no iconv: a line of PowerShell, which every Windows has.
std::string commandToConvertToUtf8(const std::string& from, const char* utf16,
                                   const std::string& to);

// --- The user's desktop ------------------------------------------------

// Whether this program has a console window of its own, which closes when
// it ends: on Windows, the one Explorer opens for a program started by a
// double click or by files dropped on it (no other program, such as a
// command prompt, shares the console). Never on POSIX, where a program runs
// in a terminal or a script that outlives it.
bool startedInOwnWindow();

// Waits for a key to be pressed in that window, so that what it shows can
// be read before it closes. Returns at once when no key can come (the
// input at its end); on POSIX, always (see startedInOwnWindow).
void waitForKey();

// Shows the file `path` in the user's web browser and waits for the program
// that hands it over: the program that UNJAM_OPENER names when it is set
// (with `path` as its only argument: another browser, or a stand-in for
// tests); else on POSIX xdg-open, found on PATH, and on Windows the program
// the system opens the file's type with. False with errno set when that
// could not be started or failed (EIO).
bool openInBrowser(const std::string& path);
