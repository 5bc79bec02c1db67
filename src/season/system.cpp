#include "season/system.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>

bool identify(const std::string& path, FileId& id) {
    struct stat st;
    if (stat(path.c_str(), &st) != 0) return false;
    id = FileId{static_cast<uint64_t>(st.st_dev), static_cast<uint64_t>(st.st_ino)};
    return true;
}

bool pathExists(const std::string& path) {
    struct stat st;
    return lstat(path.c_str(), &st) == 0;
}

bool isFolder(const std::string& path) {
    struct stat st;
    return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool makeFolders(const std::string& path) {
    for (size_t slash = path.find('/', 1); slash != std::string::npos;
         slash = path.find('/', slash + 1)) {
        std::string parent = path.substr(0, slash);
        if (mkdir(parent.c_str(), 0777) != 0 && errno != EEXIST) return false;
    }
    if (mkdir(path.c_str(), 0777) == 0) return true;
    int error = errno;
    if (error == EEXIST && isFolder(path)) return true;
    errno = error == EEXIST ? ENOTDIR : error;
    return false;
}

std::string absolutePath(const std::string& path) {
    if (!path.empty() && path[0] == '/') return path;
    char here[PATH_MAX];
    if (!getcwd(here, sizeof here)) return path;
    return std::string(here) + "/" + path;
}

std::string programFolder(const char* argv0) {
    char self[PATH_MAX];
    ssize_t length = readlink("/proc/self/exe", self, sizeof self - 1);
    std::string program = length > 0 ? std::string(self, length) : absolutePath(argv0);
    size_t slash = program.rfind('/');
    return slash == 0 ? "/" : program.substr(0, slash);
}

std::string resolvedPath(const std::string& path) {
    char* resolved = realpath(path.c_str(), nullptr);
    if (!resolved) return path;
    std::string result(resolved);
    std::free(resolved);
    return result;
}

bool isExecutable(const std::string& path) {
    if (access(path.c_str(), X_OK) != 0) return false;
    if (!isFolder(path)) return true;
    errno = EISDIR;
    return false;
}

bool makeScratchFolder(std::string& folder) {
    const char* tmp = std::getenv("TMPDIR");
    std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/unjam-season.XXXXXX";
    if (!mkdtemp(pattern.data())) return false;
    folder = pattern;
    return true;
}

void removeScratchFolder(const std::string& folder) {
    for (const char* name : {"/words", "/words2"})
        unlink((folder + name).c_str());
    rmdir(folder.c_str());
}

bool linkTo(const std::string& target, const std::string& link) {
    return symlink(target.c_str(), link.c_str()) == 0;
}

namespace {

// In the child, between fork and exec: only async-signal-safe calls.
[[noreturn]] void becomeProgram(const std::string& program, char* const* argv,
                                const std::string& folder, int output) {
    int input = open("/dev/null", O_RDONLY);
    if (chdir(folder.c_str()) != 0 || input < 0 || dup2(input, 0) < 0 || dup2(output, 1) < 0)
        _exit(127);
    execv(program.c_str(), argv);
    _exit(127);
}

}  // namespace

int runProgram(const std::string& program, const std::vector<std::string>& args,
               const std::string& folder, const std::string& outputPath) {
    int output = open(outputPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (output < 0) return -1;
    std::vector<char*> argv{const_cast<char*>(program.c_str())};
    for (const std::string& arg : args)
        argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    std::fflush(nullptr);  // nothing buffered may reach the child's output twice
    pid_t child = fork();
    if (child == 0) becomeProgram(program, argv.data(), folder, output);
    int error = errno;
    close(output);
    if (child < 0) {
        errno = error;
        return -1;
    }
    int status;
    while (waitpid(child, &status, 0) < 0)
        if (errno != EINTR) return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}
