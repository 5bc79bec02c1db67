#include "review/namespots.h"

#include "review/pagejson.h"
#include "wordlist/chartests.h"

namespace {

char foldAscii(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 0x20) : c;
}

bool holdsFolded(std::string_view word, std::string_view name) {
    for (size_t at = 0; at + name.size() <= word.size(); ++at) {
        size_t k = 0;
        while (k < name.size() && foldAscii(word[at + k]) == foldAscii(name[k]))
            ++k;
        if (k == name.size()) return true;
    }
    return false;
}

// Every word that holds a name has its repair by the lists alone, the same
// or not: where the name kept a join whole that the lists keep too, the
// place is still one the user may decide.
bool holdsName(const PageNames& names, std::string_view word) {
    return names.alone.contains(std::string(word));
}

}  // namespace

std::vector<size_t> namesIn(const std::vector<std::string>& names, std::string_view word) {
    std::vector<size_t> held;
    for (size_t k = 0; k < names.size(); ++k)
        if (!names[k].empty() && holdsFolded(word, names[k])) held.push_back(k);
    return held;
}

void splitNameSpots(const PageNames& names, LineChanges& line) {
    if (names.alone.empty()) return;
    LineChanges split{{""}, {}};
    for (size_t k = 0; k < line.common.size(); ++k) {
        const std::string& text = line.common[k];
        for (size_t i = 0; i < text.size();) {
            size_t end = i;
            while (end < text.size() && !endsWord(text[end]))
                ++end;
            std::string_view word = std::string_view(text).substr(i, end - i);
            if (end > i && holdsName(names, word)) {
                std::string same(word);
                split.changes.push_back(Change{same, same, std::string(same.size(), '=')});
                split.common.emplace_back();
            } else {
                split.common.back().append(word);
            }
            if (end < text.size()) split.common.back().push_back(text[end]);
            i = end + 1;
        }
        if (k < line.changes.size()) {
            split.changes.push_back(std::move(line.changes[k]));
            split.common.emplace_back();
        }
    }
    line = std::move(split);
}

void appendAlone(std::string& json, const PageNames& names, const Change& change) {
    auto found = names.alone.find(change.before);
    bool held = found != names.alone.end();
    json.push_back(',');
    appendByteString(json, held && found->second != change.after ? found->second : "");
    json += ",[";
    std::vector<size_t> in = held ? namesIn(names.proposed, change.before) : std::vector<size_t>{};
    for (size_t k = 0; k < in.size(); ++k) {
        if (k) json.push_back(',');
        appendNumber(json, static_cast<int64_t>(in[k]));
    }
    json.push_back(']');
}
