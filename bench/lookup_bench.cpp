// Lookups per second: the index against the letter-range scan that the
// lookup was first written as, on the same word list and the same queries.
//     unjam_bench_lookup words [seconds]
// Prints "index <lookups/s>", "scan <lookups/s>" and "agree 1" when both
// answered every query alike.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "wordlist/dictionary.h"
#include "wordlist/lookup.h"
#include "wordlist/wordfile.h"

namespace {

char fold(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 0x20) : c;
}

bool scanRange(int32_t begin, int32_t end, const char* word, size_t length) {
    for (int32_t i = begin; i < end; ++i) {
        if (static_cast<size_t>(dictLengths[i]) != length) continue;
        std::string_view stored = dictWords[i];
        size_t k = 0;
        while (k < length && fold(stored[k]) == fold(word[k]))
            ++k;
        if (k == length) return true;
    }
    return false;
}

// The lookup as first written, for words that begin with a letter.
bool scanLookup(const std::string& word) {
    int letter = fold(word[0]) - 'a';
    return scanRange(letterStart[letter], letterStart[letter + 1], word.data(), word.size()) ||
           scanRange(letterStart[26], letterStart[27], word.data(), word.size());
}

bool beginsWithLetter(const std::string& w) {
    char c = fold(w[0]);
    return c >= 'a' && c <= 'z';
}

// Half listed words in mixed case, half the kind of miss the split search
// asks about most: pieces of two words run together.
std::vector<std::string> makeQueries(size_t count) {
    std::mt19937 rng(12345);
    std::vector<std::string> queries;
    while (queries.size() < count) {
        std::string a(dictWords[rng() % dictCount]);
        if (!beginsWithLetter(a)) continue;
        if (queries.size() % 2 == 0) {
            std::string w = a;
            for (char& c : w)
                if (rng() % 4 == 0) c = static_cast<char>(std::toupper(c));
            queries.push_back(w);
        } else {
            std::string joined = a + std::string(dictWords[rng() % dictCount]);
            queries.push_back(joined.substr(0, 1 + rng() % joined.size()));
        }
    }
    return queries;
}

template <typename Lookup>
double lookupsPerSecond(const std::vector<std::string>& queries, double seconds, Lookup lookup,
                        size_t& found) {
    using Clock = std::chrono::steady_clock;
    auto start = Clock::now();
    size_t done = 0;
    found = 0;
    double elapsed = 0;
    do {
        for (const auto& q : queries)
            found += lookup(q);
        done += queries.size();
        elapsed = std::chrono::duration<double>(Clock::now() - start).count();
    } while (elapsed < seconds);
    found /= done / queries.size();  // per pass over the queries
    return static_cast<double>(done) / elapsed;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fputs("usage: unjam_bench_lookup words [seconds]\n", stderr);
        return 1;
    }
    FILE* f = openWordFile(argv[1]);
    if (!f) {
        std::perror(argv[1]);
        return 1;
    }
    loadMainList(f);
    std::fclose(f);
    double seconds = argc > 2 ? std::atof(argv[2]) : 1.0;
    std::vector<std::string> queries = makeQueries(20000);
    int agree = 1;
    for (const auto& q : queries)
        if (inDict(q.c_str()) != scanLookup(q)) agree = 0;
    size_t foundByIndex, foundByScan;
    double index = lookupsPerSecond(
        queries, seconds, [](const std::string& w) { return inDict(w.c_str()); }, foundByIndex);
    double scan = lookupsPerSecond(queries, seconds, scanLookup, foundByScan);
    std::printf("words %d\nindex %.0f\nscan %.0f\nfound %zu %zu\nagree %d\n", dictCount, index,
                scan, foundByIndex, foundByScan, agree);
    return 0;
}
