#include "driver/run.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "driver/blockline.h"
#include "driver/linereader.h"
#include "driver/messages.h"
#include "platform/platform.h"
#include "repair/counters.h"
#include "repair/repairline.h"
#include "wordlist/accepted.h"
#include "wordlist/characters.h"
#include "wordlist/counts.h"
#include "wordlist/dictionary.h"
#include "wordlist/profile.h"

namespace {

const char* const usageText[] = {
    "Usage: Unjam in.srt out.srt",
    " This program removes missing-space errors in a text file.",
    " example: 'What areyou doing?' is fixed to 'Whare are you doing?'",
    " The pre-alphebetized text file 'words' must be located in the",
    " same directory for this program to function properly.",
    "An optional file 'words2' may also be included.  This file",
    " is read in unsorted, and is also used (with no sorting or",
    " optimizing.",
};

void say(const char* text) {
    std::fputs(text, stdout);
    std::fflush(stdout);
}

void sayCount(const char* before, int64_t count, const char* after) {
    std::string line = before + std::to_string(count) + after + "\n";
    say(line.c_str());
}

// The output file and the first error met while writing it, if any.
struct Output {
    FILE* file;
    int fd;  // the file's descriptor, for what stdio cannot do
    int error;
};

void writeLine(Output& out, const std::string& text) {
    bool written = std::fwrite(text.data(), 1, text.size(), out.file) == text.size() &&
                   std::fwrite("\r\n", 1, 2, out.file) == 2 && std::fflush(out.file) == 0;
    if (!written && out.error == 0) out.error = errno ? errno : EIO;
}

// The output is opened (created if need be) before the word lists are read
// but emptied only once they have loaded: a run that ends for want of a
// `words` file leaves an earlier output file as it was.
Output openOutput(const char* path) {
    int fd = openForWriting(path);
    FILE* file = fd < 0 ? nullptr : streamForWriting(fd);
    if (!file)
        fail(std::string("Could not open the output file: ") + path + ": " + std::strerror(errno));
    return Output{file, fd, 0};
}

// Devices and pipes cannot be emptied, nor do they need to be.
void emptyOutput(Output& out) {
    if (!emptyFile(out.fd)) out.error = errno;
}

// The word list that the regular file `out` is, if any.
const char* listNamed(const FileIdentity& out) {
    FileIdentity list;
    for (const char* name : {"words", "words2"})
        if (identifyPath(name, list) && sameIdentity(list, out)) return name;
    return nullptr;
}

[[noreturn]] void refuseListAsOutput(const char* outPath, const char* name) {
    fail(std::string("Will not write the output over the word list: ") + outPath +
         " is the same file as " + name);
}

// The output is emptied before the input is read and is written while it
// is: an output path that names the input or a word list (by any path or
// link) would destroy it. Only a regular file is emptied: a device or a pipe
// named twice (/dev/null for both) is no danger.
void refuseOverwrite(int inFd, const char* inPath, const char* outPath) {
    FileIdentity out, in;
    if (kindOfPath(outPath) != FileKind::regular || !identifyPath(outPath, out)) return;
    if (identifyFile(inFd, in) && sameIdentity(in, out))
        fail(std::string("Will not write the output over the input: ") + outPath +
             " is the same file as " + inPath);
    if (const char* name = listNamed(out)) refuseListAsOutput(outPath, name);
}

// A word list that did not exist is created by opening the output; it would
// then be read as an empty list and left holding subtitles for the next run.
// It is closed before it is removed: Windows cannot remove an open file.
void refuseNewList(const Output& output, const char* outPath) {
    FileIdentity out;
    if (kindOfFile(output.fd) != FileKind::regular || !identifyFile(output.fd, out)) return;
    if (const char* name = listNamed(out)) {
        std::fclose(output.file);
        removeFile(name);
        refuseListAsOutput(outPath, name);
    }
}

// "ep1.srt" to "ep1-utf8.srt": where the converted file may go.
std::string utf8Name(const std::string& path) {
    size_t nameStart = path.size() - fileName(path).size();
    size_t dot = path.rfind('.');
    if (dot == std::string::npos || dot <= nameStart) return path + "-utf8";
    return path.substr(0, dot) + "-utf8" + path.substr(dot);
}

// A file in UTF-16 (Notepad's "Unicode") would lose all of its text to the
// NUL rule and pass as repaired; it is refused while an earlier output is
// still untouched. What checkReadable read is looked at: all of a regular
// file's start (a pipe is not read before the run, and keeps the NUL
// warning).
void refuseUtf16(const InputFile& in, const char* inPath) {
    const char* utf16 = utf16Encoding(in.buffer);
    if (!utf16) return;
    fail(std::string("Could not read the input file: ") + inPath +
         ": it is in UTF-16, which unjam does not read; convert it to UTF-8 first: " +
         commandToConvertToUtf8(inPath, utf16, utf8Name(inPath)));
}

// Copies every line; the third and later lines of each block (after the cue
// number and the timing line) are repaired.
void processLines(InputFile& in, Output& out) {
    std::string line;
    int blockLine = 0;
    while (readLine(in, line)) {
        ++lineNumber;
        if (isTextLine(line, blockLine)) {
            bool fixed;
            line = repairLine(line.data(), fixed, true);
        }
        writeLine(out, line);
    }
}

void printReport() {
    sayCount("Read ", lineNumber, " lines.");
    sayCount("Fixed ", fixedCount, " instances.");
    if (ofTheCount > 0)
        sayCount("", ofTheCount,
                 " possibily ambiguous 'of the'/'oft he'-style pairs silently ignored (chose 'of "
                 "the')");
}

}  // namespace

int runUnjam(int argc, char** argv) {
    if (argc != 3) {
        for (const char* line : usageText)
            complain(line);
        return 1;
    }
    const char* inPath = argv[1];
    const char* outPath = argv[2];
    InputFile in;
    openInputOrFail(in, inPath);
    refuseUtf16(in, inPath);
    refuseOverwrite(in.fd, inPath, outPath);
    Output out = openOutput(outPath);
    refuseNewList(out, outPath);

    std::fputs("Reading in dictionary...", stdout);
    readDictionary();
    loadProfile();
    loadAcceptedWords();
    loadWordCounts();
    emptyOutput(out);
    say("done.\n");
    std::fputs("Processing output...\n", stdout);
    processLines(in, out);
    printReport();
    std::fputs("Exiting and freeing mem...", stdout);
    freeDictionary();
    say("done.\n");

    if (std::fclose(out.file) != 0 && out.error == 0) out.error = errno;
    closeInput(in);
    int status = 0;
    if (out.error != 0) {
        complain(std::string("Could not write the output file: ") + outPath + ": " +
                 std::strerror(out.error));
        status = 1;
    }
    if (reportInputProblems(in, inPath)) status = 1;
    return status;
}
