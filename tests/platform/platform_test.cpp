// The platform layer, on whichever side this build has: the same results
// on Linux and, under Wine, on Windows.
#include "platform/platform.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <string>

namespace fs = std::filesystem;

namespace {

// A scratch folder of the test's own, made empty.
fs::path folder;

void makeScratch(const char* test) {
    folder = fs::temp_directory_path() / (std::string("unjam-platform-") + test);
    fs::remove_all(folder);
    fs::create_directory(folder);
}

// A path in the scratch folder, as the programs take it: UTF-8 text.
std::string path(const std::u8string& name) {
    std::u8string text = (folder / name).u8string();
    return std::string(text.begin(), text.end());
}

void write(const std::u8string& name, const std::string& text) {
    int fd = openForWriting(path(name).c_str());
    ASSERT_GE(fd, 0);
    FILE* f = streamForWriting(fd);
    std::fputs(text.c_str(), f);
    std::fclose(f);
}

TEST(Platform, KindsOfPaths) {
    makeScratch("KindsOfPaths");
    write(u8"in.srt", "x");
    EXPECT_EQ(kindOfPath(path(u8"in.srt").c_str()), FileKind::regular);
    EXPECT_EQ(kindOfPath(path(u8"").c_str()), FileKind::directory);
    EXPECT_EQ(kindOfPath(path(u8"nothere").c_str()), FileKind::missing);
    fs::remove_all(folder);
}

TEST(Platform, ReadingAFolderFailsAsOnLinux) {
    makeScratch("ReadingAFolderFailsAsOnLinux");
    int fd = openForReading(path(u8"").c_str());
    ASSERT_GE(fd, 0);
    EXPECT_EQ(kindOfFile(fd), FileKind::directory);
    char buffer[16];
    EXPECT_EQ(readFrom(fd, buffer, sizeof buffer), -1);
    EXPECT_EQ(errno, EISDIR);
    closeFile(fd);
    EXPECT_EQ(openForWriting(path(u8"").c_str()), -1);
    EXPECT_EQ(errno, EISDIR);
    fs::remove_all(folder);
}

// Binary both ways: CR LF, a lone LF and 0x1A arrive as they were written.
TEST(Platform, WritesAndReadsEveryByte) {
    makeScratch("WritesAndReadsEveryByte");
    const std::string bytes =
        "a\r\nb\nc\x1a"
        "d";
    write(u8"bytes", bytes);
    int fd = openForReading(path(u8"bytes").c_str());
    char buffer[64];
    long got = readFrom(fd, buffer, sizeof buffer);
    EXPECT_EQ(std::string(buffer, got > 0 ? got : 0), bytes);
    EXPECT_EQ(readFrom(fd, buffer, sizeof buffer), 0);
    closeFile(fd);
    fs::remove_all(folder);
}

TEST(Platform, OpeningForWritingKeepsTheTextUntilEmptied) {
    makeScratch("OpeningForWritingKeepsTheTextUntilEmptied");
    write(u8"out.srt", "earlier");
    int fd = openForWriting(path(u8"out.srt").c_str());
    EXPECT_EQ(fs::file_size(folder / "out.srt"), 7u);
    EXPECT_TRUE(emptyFile(fd));
    EXPECT_EQ(fs::file_size(folder / "out.srt"), 0u);
    closeFile(fd);
    fs::remove_all(folder);
}

TEST(Platform, IdentityTellsFilesApart) {
    makeScratch("IdentityTellsFilesApart");
    write(u8"in.srt", "x");
    write(u8"other.srt", "x");
    fs::create_hard_link(folder / "in.srt", folder / "hard.srt");
    FileIdentity in, hard, other, open;
    ASSERT_TRUE(identifyPath(path(u8"in.srt").c_str(), in));
    ASSERT_TRUE(identifyPath(path(u8"hard.srt").c_str(), hard));
    ASSERT_TRUE(identifyPath(path(u8"other.srt").c_str(), other));
    int fd = openForReading(path(u8"in.srt").c_str());
    ASSERT_TRUE(identifyFile(fd, open));
    closeFile(fd);
    EXPECT_TRUE(sameIdentity(in, hard));
    EXPECT_TRUE(sameIdentity(in, open));
    EXPECT_FALSE(sameIdentity(in, other));
    EXPECT_FALSE(identifyPath(path(u8"nothere").c_str(), other));
    fs::remove_all(folder);
}

// The name on disk is the UTF-8 name given, not a code page's reading of it.
TEST(Platform, NamesBeyondAscii) {
    makeScratch("NamesBeyondAscii");
    for (const char8_t* name : {u8"Épisode 1.srt", u8"第1話.srt"}) {
        write(name, "x");
        EXPECT_TRUE(fs::is_regular_file(folder / name)) << path(name);
        EXPECT_TRUE(removeFile(path(name).c_str()));
        EXPECT_FALSE(fs::exists(folder / name));
    }
    fs::remove_all(folder);
}

// As `mkdir -p`: parents made, a folder there already taken, a file in the
// way refused as on Linux; paths beyond ASCII too.
TEST(Platform, MakesFoldersWithTheirParents) {
    makeScratch("MakesFoldersWithTheirParents");
    EXPECT_TRUE(makeFolders(path(u8"a/É/第1話")));
    EXPECT_TRUE(fs::is_directory(folder / u8"a/É/第1話"));
    EXPECT_TRUE(makeFolders(path(u8"a/É/")));
    write(u8"file", "x");
    EXPECT_FALSE(makeFolders(path(u8"file/b")));
    EXPECT_EQ(errno, ENOTDIR);
    EXPECT_FALSE(makeFolders(path(u8"file")));
    EXPECT_EQ(errno, ENOTDIR);
    EXPECT_TRUE(removeFolder(path(u8"a/É/第1話").c_str()));
    EXPECT_FALSE(fs::exists(folder / u8"a/É/第1話"));
    fs::remove_all(folder);
}

TEST(Platform, ScratchFoldersAreNewEachTime) {
    std::string first, second;
    ASSERT_TRUE(makeScratchFolder(first));
    ASSERT_TRUE(makeScratchFolder(second));
    EXPECT_NE(first, second);
    EXPECT_EQ(kindOfPath(second.c_str()), FileKind::directory);
    EXPECT_EQ(absolutePath(first), first);
    EXPECT_TRUE(removeFolder(first.c_str()) && removeFolder(second.c_str()));
}

TEST(Platform, ALockIsHeldByOneAtATime) {
    makeScratch("ALockIsHeldByOneAtATime");
    std::string lock = path(u8"lock"), file = path(u8"file");
    ASSERT_TRUE(lockFile(lock.c_str()));
    EXPECT_FALSE(lockFile(lock.c_str()));
    EXPECT_TRUE(errno == EWOULDBLOCK || errno == EAGAIN);
    unlockFile(lock.c_str());
    EXPECT_FALSE(fs::exists(folder / "lock"));
    ASSERT_TRUE(lockFile(lock.c_str()));
    unlockFile(lock.c_str());
    write(u8"new", "new");
    write(u8"file", "old");
    EXPECT_TRUE(renameFile(path(u8"new").c_str(), file.c_str()));
    EXPECT_FALSE(fs::exists(folder / "new"));
    EXPECT_FALSE(renameFile(path(u8"new").c_str(), file.c_str()));
    fs::create_directory(folder / "dir");
    write(u8"new", "new");
    EXPECT_FALSE(renameFile(path(u8"new").c_str(), path(u8"dir").c_str()));
    EXPECT_EQ(errno, EISDIR);
    fs::remove_all(folder);
}

#ifndef _WIN32
// A path longer than PATH_MAX opens nothing: none is made from a working
// directory deeper than that.
TEST(Platform, NoAbsolutePathFromTooDeep) {
    makeScratch("NoAbsolutePathFromTooDeep");
    fs::path here = fs::current_path();
    fs::current_path(folder);
    for (int depth = 0; depth < 20; ++depth) {
        fs::create_directory(std::string(250, 'd'));
        fs::current_path(std::string(250, 'd'));
    }
    errno = 0;
    EXPECT_EQ(absolutePath("in.srt"), "");
    EXPECT_EQ(errno, ENAMETOOLONG);
    for (int depth = 0; depth < 20; ++depth) {
        fs::current_path("..");
        fs::remove(std::string(250, 'd'));
    }
    fs::current_path(here);
    fs::remove_all(folder);
}
#endif

TEST(InstalledWords, TheHintNamesTheList) {
    std::string list = installedWordsPath();
    EXPECT_EQ(list.substr(list.size() - 5), "words");
    EXPECT_NE(commandToUseInstalledWords().find(list), std::string::npos);
}

}  // namespace
