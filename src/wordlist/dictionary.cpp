#include "wordlist/dictionary.h"

#include <cerrno>
#include <cstdlib>
#include <deque>
#include <string>

#include "platform/platform.h"
#include "wordlist/chartests.h"
#include "wordlist/grouping.h"
#include "wordlist/wordfile.h"
#include "wordlist/wordindex.h"

std::vector<std::string_view> dictWords;
std::vector<int32_t> dictLengths;
int32_t dictCount = 0;
int32_t letterStart[28] = {};

namespace {

// The text of each word file read, which the stored words point into. A
// deque never moves what it already holds.
std::deque<std::string> wordFileTexts;

bool isWordSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// Calls `store` with every whitespace-delimited word of the file, in order.
template <typename Store>
void forEachWord(FILE* f, const char* name, Store store) {
    const std::string& text = wordFileTexts.emplace_back(readWordFileText(f, name));
    size_t i = 0, n = text.size();
    while (i < n) {
        while (i < n && isWordSpace(text[i]))
            ++i;
        size_t start = i;
        while (i < n && !isWordSpace(text[i]))
            ++i;
        if (i > start) store(std::string_view(text.data() + start, i - start));
    }
}

void storeWord(std::string_view word) {
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
    forEachWord(f, name, [&](std::string_view word) {
        char initial = toUpperAscii(word[0]);
        // Words with a non-letter initial are kept but start no run and do
        // not break the run they stand in.
        if (isAsciiLetter(initial) && initial != previous) {
            int letter = initial - 'A';
            started[letter] = true;
            letterStart[letter] = dictCount;
            previous = initial;
        }
        storeWord(word);
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
    wordFileTexts.clear();
    dictCount = 0;
    for (int32_t& entry : letterStart)
        entry = 0;
    clearWordIndex();
}
