#include "season/namechoices.h"

#include <cerrno>
#include <cstring>
#include <unordered_set>

#include "driver/blockline.h"
#include "driver/linereader.h"
#include "driver/messages.h"
#include "platform/platform.h"
#include "review/namespots.h"
#include "season/lists.h"
#include "season/repairfile.h"
#include "wordlist/chartests.h"

namespace {

// The lines of the file `path`; false (errno set) when it cannot be read.
bool readLines(const std::string& path, std::vector<std::string>& lines) {
    InputFile in;
    if (!openInput(in, path.c_str())) return false;
    std::string line;
    bool readable = checkReadable(in);  // a folder is refused here
    while (readable && readLine(in, line))
        lines.push_back(line);
    closeInput(in);
    errno = in.error;
    return in.error == 0;
}

// The words of the text lines of `path` that hold a name, each once.
void collectNamedWords(const std::string& path, const std::vector<std::string>& names,
                       std::unordered_set<std::string>& seen, std::vector<std::string>& words) {
    std::vector<std::string> lines;
    readLines(path, lines);  // it was read once before: a failure now leaves words out
    int blockLine = 0;
    for (const std::string& line : lines) {
        if (!isTextLine(line, blockLine)) continue;
        for (size_t i = 0, end; i < line.size(); i = end + 1) {
            for (end = i; end < line.size() && !endsWord(line[end]);)
                ++end;
            std::string word = line.substr(i, end - i);
            // A CR would end the word's line in the file unjam is given.
            if (!word.empty() && word.find('\r') == std::string::npos &&
                !namesIn(names, word).empty() && seen.insert(word).second)
                words.push_back(std::move(word));
        }
    }
}

void warnAlone(const std::string& why) {
    complain("Warning: the review page cannot show what the lists alone make of the names: " + why);
}

}  // namespace

std::vector<std::string> readRejectedNames(const std::string& path) {
    std::vector<std::string> names;
    if (!readLines(path, names) && errno != ENOENT)
        complain("Warning: could not read the rejected names: " + path + ": " +
                 std::strerror(errno) + "; every name is proposed");
    if (errno) names.clear();
    return names;
}

std::vector<std::string> withoutRejected(const std::vector<std::string>& names,
                                         const std::vector<std::string>& rejected) {
    std::vector<std::string> kept;
    for (const std::string& name : names) {
        bool out = false;
        for (const std::string& no : rejected)
            out = out || sameIgnoringCase(name, no);
        if (!out) kept.push_back(name);
    }
    return kept;
}

std::unordered_map<std::string, std::string> repairAlone(const std::string& unjam,
                                                         const std::string& listFolder,
                                                         const std::string& listsAlone,
                                                         const std::vector<SeasonFile>& files,
                                                         const std::vector<std::string>& names) {
    std::unordered_map<std::string, std::string> alone;
    std::unordered_set<std::string> seen;
    std::vector<std::string> words;
    for (const SeasonFile& file : files)
        if (file.readable && !names.empty()) collectNamedWords(file.input, names, seen, words);
    if (words.empty()) return alone;
    std::string cues, words2 = listFolder + "/words2", input = listFolder + "/alone.srt",
                      output = listFolder + "/alone-repaired.srt", log = listFolder + "/alone.log";
    for (size_t k = 0; k < words.size(); ++k)
        cues += std::to_string(k + 1) + "\n00:00:00,000 --> 00:00:00,000\n" + words[k] + "\n\n";
    std::vector<std::string> repaired;
    std::string why;
    if (listsAlone.empty()) removeFile(words2.c_str());
    bool listed = listsAlone.empty() || writeTextFile(words2, listsAlone);
    if (!listed || !writeTextFile(input, cues))
        warnAlone(std::string(std::strerror(errno)));
    else if (int status = repairWithUnjam(unjam, listFolder, input, output, log, why); status != 0)
        warnAlone(status < 0 ? why : "unjam ended with status " + std::to_string(status));
    else if (!readLines(output, repaired) || repaired.size() < 4 * words.size())
        warnAlone("its output could not be read");
    else
        for (size_t k = 0; k < words.size(); ++k)
            alone[words[k]] = repaired[4 * k + 2];
    for (const std::string& path : {input, output, log})
        removeFile(path.c_str());
    return alone;
}
