#include "repair/repairline.h"

#include <cstring>

#include "repair/repairword.h"
#include "wordlist/chartests.h"

namespace {

bool isQuotePair(const char* at) {
    return (at[0] == '\'' && at[1] == '\'') || (at[0] == '`' && at[1] == '`');
}

// Copies the separator run at `i`, turning each doubled apostrophe or grave
// accent into one quotation mark. Returns where the run ends.
size_t copySeparatorRun(char* line, size_t i, size_t n, std::string& result) {
    while (i < n && endsWord(line[i])) {
        if (isQuotePair(line + i)) line[++i] = '"';
        result.push_back(line[i++]);
    }
    return i;
}

}  // namespace

std::string repairLine(char* line, bool& fixed, bool verbose) {
    fixed = false;
    LineRepair call{{}, {}, fixed, verbose};
    const size_t n = std::strlen(line);
    size_t i = 0;
    while (i < n) {
        size_t start = i;
        while (i < n && !endsWord(line[i]))
            ++i;
        if (i == start + 1) {  // one-byte words pass untouched
            call.result.push_back(line[start]);
            continue;
        }
        // End the word in place; the empty word (start == i) passes through too.
        char behind = line[i];
        line[i] = '\0';
        repairWord(line + start, call);
        if (i == n) break;
        line[i] = behind;
        i = copySeparatorRun(line, i, n, call.result);
    }
    return std::move(call.result);
}
