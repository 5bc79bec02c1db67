// The word lists of a season run: `words` of the working directory, or the
// installed default list when there is none; the user's `words2`, which is
// read and never written; and the second list that the repair of each file
// reads, which is `words2` with the proposed names added.
#pragma once

#include <string>
#include <vector>

#include "season/plan.h"

struct MainList {
    std::string path;      // absolute
    bool installed;        // the default list, for want of a `words` here
    std::string profile;   // its language's rules, empty when it has none
    std::string accepted;  // its language's accepted forms, empty when none
    std::string counts;    // how often its words are said, empty when unknown
};

// `words` here, or else the list installed with the program
// (../share/unjam/words from the program's folder; on Windows, `words`
// beside the .exe). With a `language` (-l), the installed list of that
// language: the default one for en, LANG/words beside it for the others,
// each with the `words.profile` and `words.accepted` beside it; an unknown
// language ends the
// process with status 1, naming the installed ones.
MainList chooseMainList(const char* argv0, const std::string& language = "");
// The languages whose lists are installed: en, then those of the shipped
// languages whose LANG/words stands beside the default list.
std::vector<std::string> installedLanguages(const std::string& defaultList);
// The lists that no output may replace: `words`, `words2`, the main list.
std::vector<NamedList> listsToKeep(const MainList& main);

// Loads the main list and `words2` for lookups, as unjam does; ends the
// process as unjam does when the main list cannot be opened.
void loadLists(const MainList& main);
// The words of the loaded `words2`, then `names`: one a line.
std::string secondListText(const std::vector<std::string>& names);

// A scratch folder in which unjam finds a copy of the main list as `words` and
// `secondList` (when not empty) as `words2`; ends the process if it cannot
// be made. An interruption removes it from the moment it exists.
std::string makeListFolder(const MainList& main, const std::string& secondList);
// The lists in that folder, then the folder: what is to be removed.
std::vector<std::string> listFolderPaths(const std::string& folder);
// Removes that folder and the lists in it.
void removeListFolder(const std::string& folder);

// Appends the whole file's bytes to `text`; false with errno set.
bool readWholeFile(const std::string& path, std::string& text);
// Writes `text` to `path` by way of its partialName; false with errno set,
// and no file added.
bool writeTextFile(const std::string& path, const std::string& text);
// Writes `text` to `path` itself, emptied first; false with errno set.
bool writeNewFile(const std::string& path, const std::string& text);
