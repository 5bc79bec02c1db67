#include "wordlist/dictionary.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <deque>
#include <string>

#include "platform/platform.h"
#include "wordlist/characters.h"
#include "wordlist/chartests.h"
#include "wordlist/grouping.h"
#include "wordlist/wordfile.h"
#include "wordlist/wordindex.h"

std::vector<std::string_view> dictWords;
std::vector<int32_t> dictLengths;
std::vector<std::string_view> dictKeys;
int32_t dictCount = 0;
int32_t letterStart[28] = {};

namespace {

// The text of each word file read, which the stored words point into, and
// the keys of its words beyond ASCII, in blocks that are never grown past
// what they reserved, so that a key never moves. A deque never moves what
// it holds.
std::deque<std::string> wordFileTexts;
std::deque<std::string> wordKeys;

std::string_view keepKey(const std::string& key) {
    if (wordKeys.empty() || wordKeys.back().capacity() - wordKeys.back().size() < key.size()) {
        wordKeys.emplace_back().reserve(std::max<size_t>(key.size(), size_t{1} << 20));
    }
    std::string& block = wordKeys.back();
    size_t at = block.size();
    block += key;
    return std::string_view(block.data() + at, key.size());
}

// A list of a million words would otherwise be copied as its tables grow.
void reserveFor(std::string_view text) {
    size_t lines = static_cast<size_t>(std::count(text.begin(), text.end(), '\n')) + 1;
    dictWords.reserve(dictWords.size() + lines);
    dictLengths.reserve(dictLengths.size() + lines);
    if (!isAscii(text)) dictKeys.reserve(dictWords.size() + lines);
}

bool isWordSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// The encoding of each line of a word file, decided as a subtitle line's
// is, so that a list may mix them as a subtitle file may. Asked in order of
// position; each line is read once.
struct LineEncodings {
    std::string_view text;
    size_t lineEnd = 0;  // the end of the line last decided
    Encoding encoding = Encoding::utf8;

    Encoding at(size_t position) {
        if (position >= lineEnd) {
            size_t from = text.rfind('\n', position);
            from = from == std::string_view::npos ? 0 : from + 1;
            lineEnd = std::min(text.find('\n', position), text.size());
            encoding = encodingOfLine(text.substr(from, lineEnd - from));
        }
        return encoding;
    }
};

// Calls `store` with every whitespace-delimited word of the file, in order,
// and its key.
template <typename Store>
void forEachWord(FILE* f, const char* name, Store store) {
    const std::string& text = wordFileTexts.emplace_back(readWordFileText(f, name));
    LineEncodings encodings{text};
    const bool asciiText = isAscii(text);  // as most lists are: no word needs a key
    reserveFor(text);
    size_t i = 0, n = text.size();
    while (i < n) {
        while (i < n && isWordSpace(text[i]))
            ++i;
        size_t start = i;
        while (i < n && !isWordSpace(text[i]))
            ++i;
        if (i == start) continue;
        std::string_view word(text.data() + start, i - start);
        if (asciiText || isAscii(word))
            store(word, std::string_view());
        else
            store(word, keepKey(lookupKey(word, encodings.at(start))));
    }
}

// `key`: empty for an ASCII word. The first word with a key of its own
// gives every word one.
void storeWord(std::string_view word, std::string_view key) {
    if (!key.empty() && dictKeys.empty()) dictKeys.assign(dictWords.begin(), dictWords.end());
    if (!key.empty() || !dictKeys.empty()) dictKeys.push_back(key.empty() ? word : key);
    dictWords.push_back(word);
    dictLengths.push_back(static_cast<int32_t>(word.size()));
    ++dictCount;
}

// Without `words` nothing can be repaired. A new user has the installed list
// but not yet a `words` beside the subtitles; where there is a `words` that
// cannot be used, a link would not be made, and the reason is the help.
[[noreturn]] void failWithoutWords(const std::string& why) {
    const std::string where = "Unjam reads its word list from 'words' in the working directory";
    warnOnStandardError("Could not open the words file");
    if (why.empty())
        warnOnStandardError(where +
                            "; to use the installed default list: " + commandToUseInstalledWords());
    else
        warnOnStandardError(where + ", which " + why);
    std::exit(1);
}

}  // namespace

void loadMainList(FILE* f, const char* name) {
    freeDictionary();
    bool started[26] = {};
    char previous = 0;  // no previous initial yet
    forEachWord(f, name, [&](std::string_view word, std::string_view key) {
        char initial = toUpperAscii(word[0]);
        // Words with an initial outside A-Z are kept but start no run and do
        // not break the run they stand in: a letter beyond ASCII is found
        // wherever it stands, a non-letter never.
        if (isAsciiLetter(initial) && initial != previous) {
            int letter = initial - 'A';
            started[letter] = true;
            letterStart[letter] = dictCount;
            previous = initial;
        }
        storeWord(word, key);
    });
    letterStart[26] = dictCount;
    // A letter with no run gets an empty range where the next run begins.
    for (int letter = 25; letter >= 0; --letter)
        if (!started[letter]) letterStart[letter] = letterStart[letter + 1];
    indexWords(0, dictCount);
    checkGrouping();
}

void loadSecondList(FILE* f, const char* name) {
    forEachWord(f, name, storeWord);
    letterStart[27] = dictCount;
    indexWords(letterStart[26], dictCount);
}

void readDictionary() {
    FILE* words = openWordFile("words");
    if (!words) failWithoutWords(whyUnopenable("words", errno));
    loadMainList(words, "words");
    std::fclose(words);
    readWords2();
}

void readWords2() {
    // A missing `words2` is no list at all; one that is there but cannot be
    // read would leave the user's names to be split without a word.
    if (FILE* words2 = openWordFile("words2")) {
        loadSecondList(words2, "words2");
        std::fclose(words2);
    } else if (std::string why = whyUnopenable("words2", errno); !why.empty()) {
        warnOnStandardError("Warning: the words2 file " + why + "; the run goes on without it");
    }
}

void freeDictionary() {
    dictWords.clear();
    dictWords.shrink_to_fit();
    dictLengths.clear();
    dictLengths.shrink_to_fit();
    dictKeys.clear();
    dictKeys.shrink_to_fit();
    wordFileTexts.clear();
    wordKeys.clear();
    dictCount = 0;
    for (int32_t& entry : letterStart)
        entry = 0;
    clearWordIndex();
}
