#include "wordlist/dictionary.h"

#include <sys/stat.h>

#include <cstdlib>

#include "wordlist/chartests.h"
#include "wordlist/wordindex.h"

std::vector<std::string> dictWords;
std::vector<int32_t> dictLengths;
int32_t dictCount = 0;
int32_t letterStart[28] = {};

namespace {

bool isWordSpace(int c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// Reads the next whitespace-delimited word. A byte 0x1A ends the file as if
// it ended there; a read error ends it too, keeping what was read.
bool readWord(FILE* f, std::string& word) {
    word.clear();
    int c;
    while ((c = getc_unlocked(f)) != EOF && c != 0x1A && isWordSpace(c)) {
    }
    while (c != EOF && c != 0x1A && !isWordSpace(c)) {
        word.push_back(static_cast<char>(c));
        c = getc_unlocked(f);
    }
    if (c == 0x1A) ungetc(c, f);  // keep the end-of-file marker sticky
    return !word.empty();
}

void storeWord(const std::string& word) {
    dictWords.push_back(word);
    dictLengths.push_back(static_cast<int32_t>(word.size()));
    ++dictCount;
}

// Said once per run: a letter whose words come in more than one group loses
// all but its last group to lookups.
void warnUngrouped(char letter) {
    static bool warned = false;
    if (warned) return;
    warned = true;
    std::fflush(stdout);
    std::fprintf(stderr,
                 "Warning: 'words' is not grouped by first letter: words beginning with %c "
                 "outside its last group will not be found; 'words' must be grouped by first "
                 "letter\n",
                 letter);
    std::fflush(stderr);
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
    std::string word;
    while (readWord(f, word)) {
        char initial = toUpperAscii(word[0]);
        // Words with a non-letter initial are kept but start no run and do
        // not break the run they stand in.
        if (isAsciiLetter(initial) && initial != previous) {
            int letter = initial - 'A';
            if (started[letter]) warnUngrouped(initial);
            started[letter] = true;
            letterStart[letter] = dictCount;
            previous = initial;
        }
        storeWord(word);
    }
    letterStart[26] = dictCount;
    // A letter with no run gets an empty range where the next run begins.
    for (int letter = 25; letter >= 0; --letter)
        if (!started[letter]) letterStart[letter] = letterStart[letter + 1];
    indexWords(0, dictCount);
}

void loadSecondList(FILE* f) {
    std::string word;
    while (readWord(f, word))
        storeWord(word);
    letterStart[27] = dictCount;
    indexWords(letterStart[26], dictCount);
}

void readDictionary() {
    FILE* words = openWordFile("words");
    if (!words) {
        std::fflush(stdout);
        std::fputs("Could not open the words file\n", stderr);
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
    dictCount = 0;
    for (int32_t& entry : letterStart)
        entry = 0;
    clearWordIndex();
}
