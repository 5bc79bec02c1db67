// The platform layer on Linux and other POSIX systems.
#include <dirent.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/file.h>
#ifdef __linux__
#include <sys/prctl.h>
#endif
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <iterator>

#include "platform/platform.h"

extern char** environ;

namespace {

FileKind kindOf(const struct stat& st) {
    if (S_ISREG(st.st_mode)) return FileKind::regular;
    if (S_ISDIR(st.st_mode)) return FileKind::directory;
    return FileKind::other;
}

void identityOf(const struct stat& st, FileIdentity& id) {
    id.volume = static_cast<uint64_t>(st.st_dev);
    id.index = static_cast<uint64_t>(st.st_ino);
}

}  // namespace

char** argumentsInUtf8(int&, char** argv) {
    return argv;
}

bool ensureStandardStreams() {
    bool outputOpen = true;
    for (int fd = 0; fd <= 2; ++fd) {
        if (fcntl(fd, F_GETFD) != -1 || errno != EBADF) continue;
        if (fd == 1) outputOpen = false;
        // The lowest free descriptor is `fd` itself.
        int opened = open("/dev/null", O_RDWR);
        if (opened != fd && opened >= 0) close(opened);
    }
    return outputOpen;
}

void ignoreBrokenPipes() {
    std::signal(SIGPIPE, SIG_IGN);
}

int openForReading(const char* path) {
    return open(path, O_RDONLY | O_CLOEXEC);
}

int openForWriting(const char* path) {
    return open(path, O_WRONLY | O_CREAT | O_CLOEXEC, 0666);
}

long readFrom(int fd, char* buffer, size_t size) {
    for (;;) {
        ssize_t got = read(fd, buffer, size);
        if (got >= 0 || errno != EINTR) return static_cast<long>(got);
    }
}

FILE* streamForReading(int fd) {
    return fdopen(fd, "rb");
}

FILE* streamForWriting(int fd) {
    return fdopen(fd, "wb");
}

int closeFile(int fd) {
    return close(fd);
}

bool emptyFile(int fd) {
    return kindOfFile(fd) != FileKind::regular || ftruncate(fd, 0) == 0;
}

bool removeFile(const char* path) {
    return unlink(path) == 0;
}

bool renameFile(const char* from, const char* to) {
    return rename(from, to) == 0;
}

bool isLink(const char* path) {
    struct stat st;
    return lstat(path, &st) == 0 && S_ISLNK(st.st_mode);
}

bool isPathSeparator(char c) {
    return c == '/';
}

std::string fileNameKey(const std::string& name) {
    return name;
}

std::string absolutePath(const std::string& path) {
    if (!path.empty() && path[0] == '/') return path;
    char here[PATH_MAX];
    if (!getcwd(here, sizeof here)) {
        if (errno == ERANGE) errno = ENAMETOOLONG;  // deeper than a path can reach
        return "";
    }
    std::string absolute = std::string(here) + "/" + path;
    if (absolute.size() < PATH_MAX) return absolute;
    errno = ENAMETOOLONG;
    return "";
}

bool makeFolders(const std::string& path) {
    for (size_t slash = path.find('/', 1); slash != std::string::npos;
         slash = path.find('/', slash + 1)) {
        std::string parent = path.substr(0, slash);
        if (mkdir(parent.c_str(), 0777) != 0 && errno != EEXIST) return false;
    }
    if (mkdir(path.c_str(), 0777) == 0) return true;
    int error = errno;
    if (error == EEXIST && kindOfPath(path.c_str()) == FileKind::directory) return true;
    errno = error == EEXIST ? ENOTDIR : error;
    return false;
}

void pauseMilliseconds(int milliseconds) {
    struct timespec wait {
        milliseconds / 1000, (milliseconds % 1000) * 1000000L
    };
    while (nanosleep(&wait, &wait) != 0 && errno == EINTR) {
    }
}

bool removeFolder(const char* path) {
    return rmdir(path) == 0;
}

namespace {

int lockDescriptor = -1;

}  // namespace

bool lockFile(const char* path) {
    for (;;) {
        int fd = open(path, O_RDWR | O_CREAT | O_CLOEXEC, 0666);
        if (fd < 0) return false;
        FileIdentity held, named;
        if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
            int error = errno;
            close(fd);
            errno = error;
            return false;
        }
        // A run that ended just now removed the file it held: lock the new one.
        if (identifyFile(fd, held) && identifyPath(path, named) && sameIdentity(held, named)) {
#ifndef __linux__
            // Where children do not end with a parent killed outright (see
            // becomeProgram), they hold it too (flock belongs to the open
            // file, which they share): while one of them could still write
            // into the folder, no other run takes it.
            fcntl(fd, F_SETFD, 0);
#endif
            lockDescriptor = fd;
            return true;
        }
        close(fd);
    }
}

void unlockFile(const char* path) {
    unlink(path);
    close(lockDescriptor);
    lockDescriptor = -1;
}

FileKind kindOfPath(const char* path) {
    struct stat st;
    return stat(path, &st) == 0 ? kindOf(st) : FileKind::missing;
}

FileKind kindOfFile(int fd) {
    struct stat st;
    return fstat(fd, &st) == 0 ? kindOf(st) : FileKind::missing;
}

bool identifyPath(const char* path, FileIdentity& id) {
    struct stat st;
    if (stat(path, &st) != 0) return false;
    identityOf(st, id);
    return true;
}

bool identifyFile(int fd, FileIdentity& id) {
    struct stat st;
    if (fstat(fd, &st) != 0) return false;
    identityOf(st, id);
    return true;
}

std::string installedWordsPath() {
    return UNJAM_INSTALLED_WORDS;
}

std::string commandToUseInstalledWords() {
    return "ln -s " + installedWordsPath() + " words";
}

std::string commandToConvertToUtf8(const std::string& from, const char* utf16,
                                   const std::string& to) {
    std::string convert = std::string("iconv -f ") + utf16 + " -t UTF-8 " + from + " > ";
    if (to != from) return convert + to;
    return convert + from + ".utf8 && mv " + from + ".utf8 " + from;
}

namespace {

std::string programFolder(const char* argv0) {
    char self[PATH_MAX];
    ssize_t length = readlink("/proc/self/exe", self, sizeof self - 1);
    std::string program = length > 0 ? std::string(self, length) : absolutePath(argv0);
    size_t slash = program.rfind('/');
    return slash == 0 ? "/" : program.substr(0, slash);
}

const int interruptions[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT};

// The children started and not yet waited for (0: a free place), and what
// to remove on an interruption, as the signal handler reads them: only
// changed while the signals are blocked.
volatile pid_t runningChildren[maxRunningPrograms] = {};
std::vector<std::string> cleanUpPaths;

void onInterrupt(int signal) {
    for (volatile pid_t& child : runningChildren)
        if (child > 0) kill(child, signal == SIGINT ? SIGINT : SIGTERM);
    for (volatile pid_t& child : runningChildren)
        if (child > 0) waitpid(child, nullptr, 0);  // nothing of it may write after this
    for (const std::string& path : cleanUpPaths)
        if (unlink(path.c_str()) != 0 && errno != ENOENT) rmdir(path.c_str());
    std::signal(signal, SIG_DFL);
    raise(signal);
}

// Runs `change` with the interruptions held back until it is done.
template <typename Change>
void withInterruptsBlocked(Change change) {
    sigset_t blocked, before;
    sigemptyset(&blocked);
    for (int signal : interruptions)
        sigaddset(&blocked, signal);
    sigprocmask(SIG_BLOCK, &blocked, &before);
    change();
    sigprocmask(SIG_SETMASK, &before, nullptr);
}

// Sets the handlers of the interruptions, once.
void handleInterrupts() {
    for (int signal : interruptions)
        std::signal(signal, onInterrupt);
}

// In the child, between fork and exec: only async-signal-safe calls. A
// parent killed outright (SIGKILL) cleans up nothing, and its children
// would go on writing into the files a new run takes: on Linux they are
// ended with it; elsewhere they hold the lock of lockFile until they end.
[[noreturn]] void becomeProgram(const std::string& program, char* const* argv,
                                const std::string& folder, int output, int error, pid_t parent) {
#ifdef __linux__
    if (prctl(PR_SET_PDEATHSIG, SIGKILL) != 0 || getppid() != parent) _exit(127);
#else
    (void)parent;
#endif
    sigset_t none;
    sigemptyset(&none);
    for (int signal : interruptions)
        std::signal(signal, SIG_DFL);
    sigprocmask(SIG_SETMASK, &none, nullptr);  // blocked by runProgram around the fork
    int input = open("/dev/null", O_RDONLY);
    if (chdir(folder.c_str()) != 0 || input < 0 || dup2(input, 0) < 0 || dup2(output, 1) < 0 ||
        (error >= 0 && dup2(error, 2) < 0))
        _exit(127);
    execv(program.c_str(), argv);
    _exit(127);
}

}  // namespace

std::string installedWordsBeside(const char* argv0) {
    std::string path = programFolder(argv0) + "/../share/unjam/words";
    char* resolved = realpath(path.c_str(), nullptr);
    if (!resolved) return path;
    std::string result(resolved);
    std::free(resolved);
    return result;
}

std::string programBeside(const char* argv0, const char* name) {
    return programFolder(argv0) + "/" + name;
}

bool isRunnable(const char* path) {
    if (access(path, X_OK) != 0) return false;
    if (kindOfPath(path) != FileKind::directory) return true;
    errno = EISDIR;
    return false;
}

bool startProgram(const std::string& program, const std::vector<std::string>& args,
                  const std::string& folder, const std::string& outputPath,
                  const std::string& errorPath, RunningProgram& running) {
    const int flags = O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC;
    int output = open(outputPath.c_str(), flags, 0666);
    int error = errorPath.empty() || output < 0 ? -1 : open(errorPath.c_str(), flags, 0666);
    if (output < 0 || (error < 0 && !errorPath.empty())) {
        int reason = errno;
        close(output);
        errno = reason;
        return false;
    }
    std::vector<char*> argv{const_cast<char*>(program.c_str())};
    for (const std::string& arg : args)
        argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    std::fflush(nullptr);  // nothing buffered may reach the child's output twice
    pid_t child = -1, parent = getpid();
    withInterruptsBlocked([&] {
        volatile pid_t* place = std::find(runningChildren, std::end(runningChildren), 0);
        errno = EAGAIN;
        child = place == std::end(runningChildren) ? -1 : fork();
        if (child == 0) becomeProgram(program, argv.data(), folder, output, error, parent);
        if (child > 0) *place = child;
    });
    int reason = errno;
    close(output);
    if (error >= 0) close(error);
    running.id = child;
    errno = reason;
    return child > 0;
}

int waitForProgram(RunningProgram& running) {
    auto child = static_cast<pid_t>(running.id);
    int status;
    pid_t waited;
    do
        waited = waitpid(child, &status, 0);
    while (waited < 0 && errno == EINTR);
    withInterruptsBlocked([child] {
        volatile pid_t* place = std::find(runningChildren, std::end(runningChildren), child);
        if (place != std::end(runningChildren)) *place = 0;
    });
    if (waited < 0) return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

int processorCount() {
    long count = sysconf(_SC_NPROCESSORS_ONLN);
    return count > 0 ? static_cast<int>(count) : 1;
}

void cleanUpOnInterrupt(const std::vector<std::string>& paths) {
    withInterruptsBlocked([&] { cleanUpPaths = paths; });
    handleInterrupts();
}

bool makeScratchFolder(std::string& folder) {
    const char* tmp = std::getenv("TMPDIR");
    folder = tmp && *tmp ? tmp : "/tmp";
    std::string pattern = folder + "/unjam-season.XXXXXX";
    bool made = false;
    // Made and put in the list at one go: no interruption falls between.
    withInterruptsBlocked([&] {
        made = mkdtemp(pattern.data()) != nullptr;
        if (made) cleanUpPaths = {pattern};
    });
    handleInterrupts();
    if (made) folder = pattern;
    return made;
}

bool listFolder(const std::string& path, std::vector<std::string>& names) {
    DIR* folder = opendir(path.c_str());
    if (!folder) return false;
    errno = 0;
    while (const dirent* entry = readdir(folder)) {
        std::string name = entry->d_name;
        if (name != "." && name != "..") names.push_back(name);
    }
    int reason = errno;
    closedir(folder);
    errno = reason;
    return reason == 0;
}

bool startedInOwnWindow() {
    return false;
}

void waitForKey() {}

bool openInBrowser(const std::string& path) {
    const char* opener = std::getenv("UNJAM_OPENER");
    if (!opener || !*opener) opener = "xdg-open";
    // Its chatter stays off standard output, which is this program's report.
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    char* argv[] = {const_cast<char*>(opener), const_cast<char*>(path.c_str()), nullptr};
    pid_t child;
    std::fflush(nullptr);
    int failed = posix_spawnp(&child, opener, &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    if (failed != 0) {
        errno = failed;
        return false;
    }
    RunningProgram running;
    running.id = child;
    if (waitForProgram(running) == 0) return true;
    errno = EIO;
    return false;
}

bool changeFolder(const std::string& path) {
    return chdir(path.c_str()) == 0;
}
