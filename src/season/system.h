// The operating system calls of unjam-season, kept together for ports:
// file identity, folders, the program's own place, and running a program.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// What makes two paths one file (device and inode here).
struct FileId {
    uint64_t device;
    uint64_t node;
};
inline bool operator==(const FileId& a, const FileId& b) {
    return a.device == b.device && a.node == b.node;
}

// The file that `path` names, links followed; false (errno set) if none.
bool identify(const std::string& path, FileId& id);
// True when `path` names something, even a dangling link.
bool pathExists(const std::string& path);
bool isFolder(const std::string& path);
// Creates the folder and any missing parents; false with errno set.
bool makeFolders(const std::string& path);

// `path` unchanged if absolute, else from the working directory.
std::string absolutePath(const std::string& path);
// The folder that holds the running program's file.
std::string programFolder(const char* argv0);
// The path with links and dot components resolved, or itself if it cannot be.
std::string resolvedPath(const std::string& path);
bool isExecutable(const std::string& path);

// A new private folder for scratch files; false with errno set.
bool makeScratchFolder(std::string& folder);
// Removes the scratch folder and the files in it.
void removeScratchFolder(const std::string& folder);
// `link` names `target` from now on (a symbolic link).
bool linkTo(const std::string& target, const std::string& link);

// Runs `program` with `args` in `folder`: standard input from the null
// device, standard output into `outputPath` (created or emptied), standard
// error shared. Returns its exit status, 128 + N when signal N ended it, or
// -1 (errno set) when it could not be started.
int runProgram(const std::string& program, const std::vector<std::string>& args,
               const std::string& folder, const std::string& outputPath);
