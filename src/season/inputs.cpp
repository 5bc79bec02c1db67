#include "season/inputs.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <vector>

#include "driver/messages.h"
#include "platform/platform.h"
#include "season/plan.h"

namespace {

// A folder as given or as the folder of a file given, and what it is.
struct Folder {
    std::string path;
    FileIdentity id;
    bool known = false;
};

Folder folderAt(const std::string& path) {
    Folder folder{path, {}, false};
    folder.known = identifyPath(path.c_str(), folder.id);
    return folder;
}

bool sameFolder(const Folder& a, const Folder& b) {
    return a.known && b.known ? sameIdentity(a.id, b.id) : a.path == b.path;
}

// The subtitle files of one folder, not of its sub-folders: a season's
// folder often holds the `fixed` of an earlier run, or other seasons.
std::vector<std::string> subtitlesIn(const std::string& folder) {
    std::vector<std::string> names;
    if (!listFolder(folder, names))
        fail("Could not read the folder: " + folder + ": " + std::strerror(errno));
    std::sort(names.begin(), names.end());
    std::vector<std::string> files;
    for (const std::string& name : names) {
        // Hidden files are left: `._ep1.srt` is what macOS leaves beside
        // each file on a shared drive, no subtitles.
        if (name[0] == '.' || !isSubtitleName(name)) continue;
        std::string path = inFolder(folder, name);
        if (kindOfPath(path.c_str()) != FileKind::directory) files.push_back(path);
    }
    if (files.empty())
        fail("No subtitle files in " + folder +
             ": unjam-season repairs the .srt files of a folder, not those of its sub-folders");
    return files;
}

// The folder all inputs are in, for `fixed`; more than one is refused.
std::string onlyFolder(const std::vector<Folder>& sources) {
    for (const Folder& source : sources)
        if (!sameFolder(source, sources.front()))
            fail("The inputs are in more than one folder: " + sources.front().path + " and " +
                 source.path + "; give one folder at a time, or -o DIR for the repairs");
    return sources.front().path;
}

}  // namespace

bool isSubtitleName(const std::string& name) {
    if (name.size() < 4) return false;
    std::string end = name.substr(name.size() - 4);
    for (char& c : end)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return end == ".srt";
}

void gatherInputs(SeasonOptions& options) {
    std::vector<std::string> files, named;
    std::vector<Folder> given, sources;
    for (const std::string& input : options.files) {
        FileKind kind = kindOfPath(input.c_str());
        // A missing name without .srt is taken for a folder, whose reading says why it fails.
        bool folderNamed = kind == FileKind::missing && !isSubtitleName(input);
        if (kind != FileKind::directory && !(folderNamed && options.folder.empty())) {
            if (options.folder.empty() && !isSubtitleName(fileName(input)))
                fail("Will not repair " + input +
                     ": it is not a subtitle file (.srt); give the folder of the subtitles, or "
                     "their .srt files");
            files.push_back(input);
            named.push_back(input);
            sources.push_back(folderAt(folderOf(input)));
            continue;
        }
        Folder folder = folderAt(input);
        for (const Folder& earlier : given)
            if (sameFolder(earlier, folder))
                fail("One folder is given twice: " + earlier.path + " and " + input);
        given.push_back(folder);
        sources.push_back(folder);
        std::vector<std::string> subtitles = subtitlesIn(input);
        files.insert(files.end(), subtitles.begin(), subtitles.end());
    }
    for (const std::string& file : named)
        for (const Folder& folder : given)
            if (sameFolder(folderAt(folderOf(file)), folder))
                fail(file + " is in the folder " + folder.path +
                     ", which is given too: give the folder or its files, not both");
    if (options.folder.empty()) options.folder = inFolder(onlyFolder(sources), fixedFolderName);
    options.files = files;
}
