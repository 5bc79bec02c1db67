#include "season/lists.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "driver/linereader.h"
#include "driver/messages.h"
#include "platform/platform.h"
#include "wordlist/counts.h"
#include "wordlist/dictionary.h"
#include "wordlist/profile.h"
#include "wordlist/wordfile.h"

namespace {

[[noreturn]] void failWith(const std::string& what, const std::string& path) {
    fail(what + ": " + path + ": " + std::strerror(errno));
}

// True when `path` names something, even a link to a missing file.
bool pathExists(const char* path) {
    return kindOfPath(path) != FileKind::missing || isLink(path);
}

// The main list is copied, not linked, into the scratch folder: the same on
// every system (Windows makes links only for administrators), and a copy of
// two megabytes costs about what unjam's own reading of it does.
bool copyFile(const std::string& from, const std::string& to) {
    std::string text;
    return readWholeFile(from, text) && writeTextFile(to, text);
}

// The languages whose lists the build installs beside the default one.
const char* const shippedLanguages[] = {"de", "es", "fr", "it", "pt"};

// LANG/words in the folder of the default list.
std::string languageList(const std::string& defaultList, const std::string& language) {
    size_t at = lastSeparator(defaultList);
    char separator = at == std::string::npos ? '/' : defaultList[at];
    return defaultList.substr(0, at + 1) + language + separator + "words";
}

// The file that goes with `words` here, as unjam finds it (beside the list
// a link names, too), by its absolute path where it has one; empty when
// there is none. One that cannot be read (a link to a missing file) is
// refused as unjam refuses it (named as `what`), before anything is written.
std::string besideHere(const char* suffix, const char* what) {
    std::string path = fileBesideWords(suffix);
    if (path.empty()) return "";
    std::fclose(openFileBesideWords(path, what));
    std::string absolute = absolutePath(path.c_str());
    return absolute.empty() ? path : absolute;
}

}  // namespace

MainList chooseMainList(const char* argv0, const std::string& language) {
    if (language.empty() && pathExists("words")) {
        // From a working directory too deep for an absolute path, the list is
        // still read here, and copied for unjam.
        std::string words = absolutePath("words");
        return MainList{words.empty() ? "words" : words, false, besideHere(".profile", "profile"),
                        besideHere(".accepted", "accepted words"),
                        besideHere(".counts", "word counts")};
    }
    MainList main{installedWordsBeside(argv0), true, "", "", ""};
    if (!language.empty() && language != "en") {
        std::vector<std::string> known = installedLanguages(main.path);
        if (std::find(known.begin(), known.end(), language) == known.end()) {
            std::string list;
            for (const std::string& name : known)
                list += " " + name;
            fail("Unknown language '" + language + "': the installed ones are" + list);
        }
        main.path = languageList(main.path, language);
    }
    if (pathExists((main.path + ".profile").c_str())) main.profile = main.path + ".profile";
    if (pathExists((main.path + ".accepted").c_str())) main.accepted = main.path + ".accepted";
    if (pathExists((main.path + ".counts").c_str())) main.counts = main.path + ".counts";
    return main;
}

std::vector<std::string> installedLanguages(const std::string& defaultList) {
    std::vector<std::string> found{"en"};
    for (const char* language : shippedLanguages)
        if (kindOfPath(languageList(defaultList, language).c_str()) == FileKind::regular)
            found.push_back(language);
    return found;
}

std::vector<NamedList> listsToKeep(const MainList& main) {
    std::vector<NamedList> lists{{"words", "words"}, {"words2", "words2"}};
    if (main.installed) lists.push_back({main.path, main.path});
    return lists;
}

void loadLists(const MainList& main) {
    if (!main.installed) {
        readDictionary();
    } else {
        FILE* words = openWordFile(main.path.c_str());
        if (!words) failWith("Could not open the installed word list", main.path);
        loadMainList(words, main.path.c_str());
        std::fclose(words);
        readWords2();
    }
    // The names step weighs the language's function words and its counts.
    if (!main.profile.empty()) loadProfileFile(main.profile);
    if (!main.counts.empty()) loadWordCountsFile(main.counts);
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
        failWith("Could not make a scratch folder for the word lists", folder);
    // An interruption while the lists are copied removes what is copied.
    cleanUpOnInterrupt(listFolderPaths(folder));
    if (!copyFile(main.path, folder + "/words") ||
        (!main.profile.empty() && !copyFile(main.profile, folder + "/words.profile")) ||
        (!main.accepted.empty() && !copyFile(main.accepted, folder + "/words.accepted")) ||
        (!main.counts.empty() && !copyFile(main.counts, folder + "/words.counts")) ||
        (!secondList.empty() && !writeTextFile(folder + "/words2", secondList))) {
        int error = errno;
        removeListFolder(folder);
        errno = error;
        failWith("Could not write the word lists in the scratch folder", folder);
    }
    return folder;
}

std::vector<std::string> listFolderPaths(const std::string& folder) {
    std::vector<std::string> paths;
    // The lists, and the files of the repair of the names alone.
    for (const char* name : {"words", "words2", "words.profile", "words.accepted", "words.counts",
                             "alone.srt", "alone-repaired.srt", "alone.log"}) {
        paths.push_back(folder + "/" + name);
        paths.push_back(partialName(paths.back()));
    }
    paths.push_back(folder);
    return paths;
}

void removeListFolder(const std::string& folder) {
    for (const std::string& path : listFolderPaths(folder))
        if (!removeFile(path.c_str())) removeFolder(path.c_str());
}

bool readWholeFile(const std::string& path, std::string& text) {
    InputFile in;
    if (!openInput(in, path.c_str())) return false;
    readRest(in, text);
    closeInput(in);
    errno = in.error;
    return in.error == 0;
}

bool writeTextFile(const std::string& path, const std::string& text) {
    std::string partial = partialName(path);
    if (!writeNewFile(partial, text)) {
        int error = errno;
        removeFile(partial.c_str());
        errno = error;
        return false;
    }
    if (renameFile(partial.c_str(), path.c_str())) return true;
    int error = errno;
    removeFile(partial.c_str());
    errno = error;
    return false;
}

bool writeNewFile(const std::string& path, const std::string& text) {
    int fd = openForWriting(path.c_str());
    if (fd < 0) return false;
    FILE* file = emptyFile(fd) ? streamForWriting(fd) : nullptr;
    if (!file) {
        int error = errno;
        closeFile(fd);
        errno = error;
        return false;
    }
    bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
    int error = errno;
    if (std::fclose(file) != 0 || !written) {
        errno = written ? errno : (error ? error : EIO);
        return false;
    }
    return true;
}
