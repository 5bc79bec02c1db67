#include "wordlist/profile.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <map>
#include <system_error>

#include "driver/messages.h"
#include "platform/platform.h"
#include "wordlist/characters.h"
#include "wordlist/chartests.h"
#include "wordlist/wordfile.h"

Profile activeProfile;

namespace {

std::vector<std::string> fieldsOf(std::string_view line) {
    std::vector<std::string> fields;
    size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t' || line[i] == '\r'))
            ++i;
        size_t start = i;
        while (i < line.size() && line[i] != ' ' && line[i] != '\t' && line[i] != '\r')
            ++i;
        if (i > start) fields.emplace_back(line.substr(start, i - start));
    }
    return fields;
}

// A setting given on an earlier line (`givenOn`, 0 when none) again; empty
// when that is right, else why not. A list's lines add up; any other
// setting given twice would leave one of its values unread.
std::string givenAgain(const std::string& name, size_t givenOn) {
    if (givenOn == 0 || name == "elisions" || name == "endings" || name == "proclitics" ||
        name == "prefixes" || name == "verb-starts" || name == "function-words")
        return "";
    return "'" + name + "' is set on line " + std::to_string(givenOn) + " already";
}

// An on/off setting's value; empty when it is right, else why not.
std::string readSwitch(const std::string& name, const std::vector<std::string>& values,
                       bool& setting) {
    if (values.size() != 1 || (values[0] != "on" && values[0] != "off"))
        return "'" + name + "' takes on or off";
    setting = values[0] == "on";
    return "";
}

// A list setting's words, added to those of its earlier lines: its first
// line replaces the English ones. "none" alone says it holds none; a line
// with no word is refused, as it would say nothing.
std::string readWords(const std::string& name, const std::vector<std::string>& values, bool first,
                      std::vector<std::string>& list) {
    if (values.empty()) return "'" + name + "' takes one word or more, or none";
    bool none = std::find(values.begin(), values.end(), "none") != values.end();
    if (none && (values.size() > 1 || !first))
        return "'" + name + " none' stands alone: no other word of it may be given";
    if (!first && list.empty())
        return "'" + name + "' is none on an earlier line: no word of it may be given";
    if (first) list.clear();
    if (!none) list.insert(list.end(), values.begin(), values.end());
    return "";
}

// A cost in natural-log units a character: above 0 and at most 100, written
// with a dot whatever the locale; "off" is 0.
std::string readCost(const std::string& name, const std::vector<std::string>& values,
                     double& cost) {
    const std::string why = "'" + name + "' takes a number above 0 and at most 100, or off";
    if (values.size() != 1) return why;
    if (values[0] == "off") {
        cost = 0;
        return "";
    }
    const std::string& text = values[0];
    double value = 0;
    auto [end, error] =
        std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed);
    if (error != std::errc() || end != text.data() + text.size() || !(value > 0) || value > 100)
        return why;
    cost = value;
    return "";
}

// One setting, `first` on its first line; empty when it is right, else
// why not. A name is quoted in UTF-8, read in `encoding`, as every message
// quotes text.
std::string applySetting(const std::vector<std::string>& fields, bool first, Encoding encoding,
                         Profile& profile) {
    const std::string& name = fields[0];
    std::vector<std::string> values(fields.begin() + 1, fields.end());
    if (name == "language") {
        if (values.size() != 1) return "'language' takes one name";
        profile.language = values[0];
    } else if (name == "elisions") {
        return readWords(name, values, first, profile.elisions);
    } else if (name == "endings") {
        return readWords(name, values, first, profile.endings);
    } else if (name == "proclitics") {
        return readWords(name, values, first, profile.proclitics);
    } else if (name == "prefixes") {
        return readWords(name, values, first, profile.prefixes);
    } else if (name == "verb-starts") {
        return readWords(name, values, first, profile.verbStarts);
    } else if (name == "doubled-i") {
        return readSwitch(name, values, profile.doubledI);
    } else if (name == "case-rule") {
        return readSwitch(name, values, profile.caseRule);
    } else if (name == "compounds") {
        return readSwitch(name, values, profile.compounds);
    } else if (name == "choice") {
        if (values.size() != 1 || (values[0] != "likeliest" && values[0] != "longest"))
            return "'choice' takes likeliest or longest";
        profile.longestFirst = values[0] == "longest";
    } else if (name == "unlisted-cost") {
        return readCost(name, values, profile.unlistedCost);
    } else if (name == "function-words") {
        return readWords(name, values, first, profile.functionWords);
    } else {
        return "unknown setting '" + toUtf8(name, encoding) + "'";
    }
    return "";
}

}  // namespace

bool parseProfile(std::string_view text, Profile& profile, std::string& error) {
    std::map<std::string, size_t> givenOn;  // the line of each setting's first
    size_t number = 0;
    while (!text.empty()) {
        size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        ++number;
        line = line.substr(0, line.find('#'));
        std::vector<std::string> fields = fieldsOf(line);
        if (fields.empty()) continue;
        auto [first, isNew] = givenOn.try_emplace(fields[0], number);
        size_t before = isNew ? 0 : first->second;
        std::string why = givenAgain(fields[0], before);
        if (why.empty()) why = applySetting(fields, isNew, encodingOfLine(line), profile);
        if (!why.empty()) {
            error = "line " + std::to_string(number) + ": " + why;
            return false;
        }
    }
    return true;
}

namespace {

// Whether there is a file of that name, a link to a missing one too: such a
// link is a file meant to be read, and reading it fails.
bool isThere(const std::string& path) {
    std::error_code error;
    return std::filesystem::exists(std::filesystem::symlink_status(path, error));
}

}  // namespace

std::string fileBesideWords(const std::string& suffix) {
    std::string here = "words" + suffix;
    std::error_code error;
    if (isThere(here)) return here;
    if (!std::filesystem::is_symlink("words", error)) return "";
    auto target = std::filesystem::canonical("words", error);
    if (error) return "";
    auto beside = target.string() + suffix;
    return isThere(beside) ? beside : "";
}

FILE* openFileBesideWords(const std::string& path, const char* what) {
    FILE* f = openWordFile(path.c_str());
    if (f) return f;
    int error = errno;
    fail(std::string("Could not read the ") + what + " " + path + ": " +
         (error == ENOENT && isLink(path.c_str()) ? "it is a link to a missing file"
                                                  : std::strerror(error)));
}

bool readFileBesideWords(const std::string& suffix, const char* what, std::string& path,
                         std::string& text) {
    path = fileBesideWords(suffix);
    if (path.empty()) return false;
    FILE* f = openFileBesideWords(path, what);
    text = readWordFileText(f, path.c_str());
    std::fclose(f);
    return true;
}

void loadProfileFile(const std::string& path) {
    FILE* f = openFileBesideWords(path, "profile");
    std::string text = readWordFileBytes(f);
    std::fclose(f);
    // Its settings cannot be read: it is refused, not read for a word list.
    if (looksLikeUtf16(text))
        fail("Malformed profile " + path + ": it is in UTF-16; save it in UTF-8");
    std::string error;
    Profile read;
    if (!parseProfile(text, read, error)) fail("Malformed profile " + path + ": " + error);
    activeProfile = read;
}

void loadProfile() {
    std::string path = fileBesideWords(".profile");
    if (!path.empty()) loadProfileFile(path);
}

bool isFunctionWord(std::string_view word) {
    for (const std::string& functionWord : activeProfile.functionWords)
        if (word == functionWord) return true;
    return false;
}

bool isElision(const char* word, size_t length) {
    for (const std::string& elision : activeProfile.elisions) {
        if (elision.size() != length) continue;
        size_t k = 0;
        while (k < length && toUpperAscii(word[k]) == toUpperAscii(elision[k]))
            ++k;
        if (k == length) return true;
    }
    return false;
}
