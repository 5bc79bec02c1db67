#include "season/plan.h"

#include <map>

#include "driver/messages.h"
#include "platform/platform.h"
#include "season/inputs.h"

namespace {

bool sameFile(const std::string& a, const FileIdentity& b) {
    FileIdentity id;
    return identifyPath(a.c_str(), id) && sameIdentity(id, b);
}

struct PlannedFile {
    std::string name;
    std::string purpose;
};

// Each file to write in the output folder, by its name's key (names that
// differ only in case are one file on Windows).
std::map<std::string, PlannedFile> plannedNames(const std::vector<std::string>& inputs,
                                                bool namesFile) {
    std::map<std::string, PlannedFile> planned;
    auto plan = [&](const std::string& name, const std::string& purpose) {
        auto [at, added] = planned.emplace(fileNameKey(name), PlannedFile{name, purpose});
        if (!added)
            fail("Will not write two files named " + name + ": for " + at->second.purpose +
                 " and for " + purpose);
    };
    std::map<std::string, std::string> inputNamed;
    for (const std::string& input : inputs) {
        std::string name = fileName(input);
        if (name.empty() || name == "." || name == "..")
            fail("Will not repair " + input + ": it names no file");
        if (kindOfPath(input.c_str()) == FileKind::other)
            fail("Will not repair " + input +
                 ": it is not a regular file (a pipe or a device); save it to a file first");
        auto [at, added] = inputNamed.emplace(fileNameKey(name), input);
        if (!added) fail("Two inputs have one file name: " + at->second + " and " + input);
    }
    for (const std::string& input : inputs) {
        plan(fileName(input), input);
        plan(logNameFor(fileName(input)), input);
    }
    if (namesFile) plan(namesFileName, "the proposed names");
    plan(reviewPageName, "the review page");
    return planned;
}

// One file given twice, by a link, would count its words twice.
void refuseSameInput(const std::vector<std::string>& inputs) {
    for (size_t k = 0; k < inputs.size(); ++k) {
        FileIdentity id;
        if (!identifyPath(inputs[k].c_str(), id)) continue;
        for (size_t e = 0; e < k; ++e)
            if (sameFile(inputs[e], id))
                fail("Two inputs are one file: " + inputs[e] + " and " + inputs[k]);
    }
}

void refuseInputFolder(const std::string& folder, const FileIdentity& folderId,
                       const std::vector<std::string>& inputs) {
    for (const std::string& input : inputs)
        if (sameFile(folderOf(input), folderId))
            fail("Will not write into the folder of an input: " + folder + " holds " + input);
}

void refuseOverwrite(const std::string& path, const std::vector<std::string>& inputs,
                     const std::vector<NamedList>& lists) {
    FileIdentity target;
    if (!identifyPath(path.c_str(), target)) return;
    for (const std::string& input : inputs)
        if (sameFile(input, target))
            fail("Will not write over an input: " + path + " is the same file as " + input);
    for (const NamedList& list : lists)
        if (sameFile(list.path, target))
            fail("Will not write over the word list: " + path + " is the same file as " +
                 list.shown);
}

}  // namespace

std::string folderOf(const std::string& path) {
    size_t slash = lastSeparator(path);
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string logNameFor(const std::string& name) {
    return (isSubtitleName(name) ? name.substr(0, name.size() - 4) : name) + ".log";
}

std::string partialName(const std::string& path) {
    size_t slash = lastSeparator(path);
    return path.substr(0, slash + 1) + "." + fileName(path) + ".unjam-part";
}

std::string inFolder(const std::string& folder, const std::string& name) {
    if (isPathSeparator(folder.back())) return folder + name;
    // Joined as the folder is spelled (`out\new` on Windows), else by `/`.
    size_t slash = lastSeparator(folder);
    return folder + (slash == std::string::npos ? '/' : folder[slash]) + name;
}

void refuseUnsafePlan(const std::string& folder, const std::vector<std::string>& inputs,
                      bool namesFile, const std::vector<NamedList>& lists) {
    std::map<std::string, PlannedFile> planned = plannedNames(inputs, namesFile);
    refuseSameInput(inputs);
    FileIdentity folderId;
    if (isLink(folder.c_str()) && !identifyPath(folder.c_str(), folderId))
        fail("Will not write into " + folder + ": it is a link to a missing file");
    if (!identifyPath(folder.c_str(), folderId)) return;  // made later: nothing in it yet
    if (kindOfPath(folder.c_str()) != FileKind::directory)
        fail("Will not write into " + folder + ": it is not a folder");
    refuseInputFolder(folder, folderId, inputs);
    bool working = sameFile(".", folderId);
    for (const auto& [key, file] : planned) {
        // A new `words` or `words2` here would be read as a list next time.
        for (const char* list : {"words", "words2"})
            if (working && key == fileNameKey(list))
                fail("Will not write " + inFolder(folder, file.name) + ": it is the word list " +
                     list);
        refuseOverwrite(inFolder(folder, file.name), inputs, lists);
    }
}
