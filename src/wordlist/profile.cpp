#include "wordlist/profile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "driver/messages.h"
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

// An on/off setting's value; empty when it is right, else why not.
std::string readSwitch(const std::string& name, const std::vector<std::string>& values,
                       bool& setting) {
    if (values.size() != 1 || (values[0] != "on" && values[0] != "off"))
        return "'" + name + "' takes on or off";
    setting = values[0] == "on";
    return "";
}

// One setting; empty when it is right, else why not.
std::string applySetting(const std::vector<std::string>& fields, Profile& profile) {
    const std::string& name = fields[0];
    std::vector<std::string> values(fields.begin() + 1, fields.end());
    if (name == "language") {
        if (values.size() != 1) return "'language' takes one name";
        profile.language = values[0];
    } else if (name == "elisions") {
        profile.elisions = values;
    } else if (name == "endings") {
        profile.endings = values;
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
    } else if (name == "function-words") {
        profile.functionWords = values;
    } else {
        return "unknown setting '" + name + "'";
    }
    return "";
}

}  // namespace

bool parseProfile(std::string_view text, Profile& profile, std::string& error) {
    size_t number = 0;
    while (!text.empty()) {
        size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        ++number;
        line = line.substr(0, line.find('#'));
        std::vector<std::string> fields = fieldsOf(line);
        if (fields.empty()) continue;
        std::string why = applySetting(fields, profile);
        if (!why.empty()) {
            error = "line " + std::to_string(number) + ": " + why;
            return false;
        }
    }
    return true;
}

std::string fileBesideWords(const std::string& suffix) {
    std::string here = "words" + suffix;
    std::error_code error;
    if (std::filesystem::exists(here, error)) return here;
    if (!std::filesystem::is_symlink("words", error)) return "";
    auto target = std::filesystem::canonical("words", error);
    if (error) return "";
    auto beside = target.string() + suffix;
    return std::filesystem::exists(beside, error) ? beside : "";
}

bool readFileBesideWords(const std::string& suffix, const char* what, std::string& path,
                         std::string& text) {
    path = fileBesideWords(suffix);
    if (path.empty()) return false;
    FILE* f = openWordFile(path.c_str());
    if (!f)
        fail(std::string("Could not read the ") + what + " " + path + ": " + std::strerror(errno));
    text = readWordFileText(f, path.c_str());
    std::fclose(f);
    return true;
}

namespace {

void parseProfileOrFail(const std::string& path, const std::string& text) {
    std::string error;
    Profile read;
    if (!parseProfile(text, read, error)) fail("Malformed profile " + path + ": " + error);
    activeProfile = read;
}

}  // namespace

void loadProfile() {
    std::string path, text;
    if (readFileBesideWords(".profile", "profile", path, text)) parseProfileOrFail(path, text);
}

void loadProfileFile(const std::string& path) {
    FILE* f = openWordFile(path.c_str());
    if (!f) fail("Could not read the profile " + path + ": " + std::strerror(errno));
    std::string text = readWordFileText(f, path.c_str());
    std::fclose(f);
    parseProfileOrFail(path, text);
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
