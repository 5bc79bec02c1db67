// The platform layer on Linux and other POSIX systems.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>

#include "platform/platform.h"

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

void ensureStandardStreams() {
    for (int fd = 0; fd <= 2; ++fd) {
        if (fcntl(fd, F_GETFD) != -1 || errno != EBADF) continue;
        // The lowest free descriptor is `fd` itself.
        int opened = open("/dev/null", O_RDWR);
        if (opened != fd && opened >= 0) close(opened);
    }
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

bool isLink(const char* path) {
    struct stat st;
    return lstat(path, &st) == 0 && S_ISLNK(st.st_mode);
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
