#include "wordlist/dictionary.h"

#include <sys/stat.h>

#include <cstdlib>
#include <deque>
#include <string>

#include "wordlist/chartests.h"
#include "wordlist/grouping.h"
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

// The whole file up to its end, a byte 0x1A, or a read error (which ends it
// like its end, keeping what was read).
const std::string& readWordFile(FILE* f) {
    std::string& text = wordFileTexts.emplace_back();
    char chunk[1 << 16];
    size_t got;
    while ((got = std::fread(chunk, 1, sizeof chunk, f)) > 0)
        text.append(chunk, got);
    size_t endOfText = text.find('\x1a');
    if (endOfText != std::string::npos) text.resize(endOfText);
    return text;
}

// Calls `store` with every whitespace-delimited word of the file, in order.
template <typename Store>
void forEachWord(FILE* f, Store store) {
    const std::string& text = readWordFile(f);
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

}  // namespace

FILE* openWordFile(const char* path) {
    FILE* f = std::fopen(path, "rb");
    if (!f) return nullptr;
    struct stat st;
    if (fstat(fileno(f), &st) == 0 && S_ISDIR(st.st_mode)) {
        std::fclose(f);
        return nullptr;
    }
    return f;
}

void loadMainList(FILE* f) {
    freeDictionary();
    bool started[26] = {};
    char previous = 0;  // no previous initial yet
    forEachWord(f, [&](std::string_view word) {
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

void loadSecondList(FILE* f) {
    forEachWord(f, storeWord);
    letterStart[27] = dictCount;
    indexWords(letterStart[26], dictCount);
}

void readDictionary() {
    FILE* words = openWordFile("words");
    if (!words) {
        std::fflush(stdout);
        std::fputs("Could not open the words file\n", stderr);
        // A new user has the installed list but not yet a `words` beside
        // the subtitles.
        std::fputs(
            "Unjam reads its word list from 'words' in the working directory; to use the "
            "installed default list: ln -s " UNJAM_INSTALLED_WORDS " words\n",
            stderr);
        std::fflush(stderr);
        std::exit(1);
    }
    loadMainList(words);
    std::fclose(words);
    if (FILE* words2 = openWordFile("words2")) {
        loadSecondList(words2);
        std::fclose(words2);
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
