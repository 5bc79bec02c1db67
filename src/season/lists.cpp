#include "season/lists.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "driver/messages.h"
#include "season/system.h"
#include "wordlist/dictionary.h"
#include "wordlist/wordfile.h"

namespace {

[[noreturn]] void failWith(const std::string& what, const std::string& path) {
    fail(what + ": " + path + ": " + std::strerror(errno));
}

}  // namespace

MainList chooseMainList(const char* argv0) {
    if (pathExists("words")) return MainList{absolutePath("words"), false};
    return MainList{resolvedPath(programFolder(argv0) + "/../share/unjam/words"), true};
}

std::vector<NamedList> listsToKeep(const MainList& main) {
    std::vector<NamedList> lists{{"words", "words"}, {"words2", "words2"}};
    if (main.installed) lists.push_back({main.path, main.path});
    return lists;
}

void loadLists(const MainList& main) {
    if (!main.installed) {
        readDictionary();
        return;
    }
    FILE* words = openWordFile(main.path.c_str());
    if (!words) failWith("Could not open the installed word list", main.path);
    loadMainList(words, main.path.c_str());
    std::fclose(words);
    readWords2();
}

std::string secondListText(const std::vector<std::string>& names) {
    std::string text;
    for (int32_t k = letterStart[26]; k < dictCount; ++k)
        text.append(dictWords[k]).push_back('\n');
    for (const std::string& name : names)
        text.append(name).push_back('\n');
    return text;
}

std::string makeListFolder(const MainList& main, const std::string& secondList) {
    std::string folder;
    if (!makeScratchFolder(folder))
        fail(std::string("Could not make a scratch folder for the word lists: ") +
             std::strerror(errno));
    if (!linkTo(main.path, folder + "/words") ||
        (!secondList.empty() && !writeTextFile(folder + "/words2", secondList))) {
        int error = errno;
        removeScratchFolder(folder);
        errno = error;
        failWith("Could not write the word lists in the scratch folder", folder);
    }
    return folder;
}

bool writeTextFile(const std::string& path, const std::string& text) {
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
    int error = errno;
    if (std::fclose(file) != 0 || !written) {
        errno = written ? errno : (error ? error : EIO);
        return false;
    }
    return true;
}
