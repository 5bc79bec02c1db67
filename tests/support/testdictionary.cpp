#include "support/testdictionary.h"

#include <cstdio>
#include <stdexcept>

#include "wordlist/dictionary.h"

namespace {

FILE* fileHolding(const std::string& text) {
    FILE* f = std::tmpfile();
    if (!f) throw std::runtime_error("tmpfile failed");
    std::fwrite(text.data(), 1, text.size(), f);
    std::rewind(f);
    return f;
}

}  // namespace

void loadTestDictionary(const std::string& main, const char* second) {
    freeDictionary();
    FILE* f = fileHolding(main);
    loadMainList(f);
    std::fclose(f);
    if (second) {
        f = fileHolding(second);
        loadSecondList(f);
        std::fclose(f);
    }
}
