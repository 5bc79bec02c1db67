#include "repair/repairline.h"

#include <cstring>
#include <string_view>

#include "repair/contractions.h"
#include "repair/repairword.h"
#include "repair/spokenforms.h"
#include "repair/verbatim.h"
#include "wordlist/chartests.h"

namespace {

bool isQuotePair(const char* at) {
    return (at[0] == '\'' && at[1] == '\'') || (at[0] == '`' && at[1] == '`');
}

// Copies the separator run at `i`, up to `end` at most, turning each doubled
// apostrophe or grave accent into one quotation mark. Returns where the run
// ends.
size_t copySeparatorRun(char* line, size_t i, size_t end, std::string& result) {
    while (i < end && endsWord(line[i])) {
        if (i + 1 < end && isQuotePair(line + i)) line[++i] = '"';
        result.push_back(line[i++]);
    }
    return i;
}

// Walks line[i, end) into words and separator runs. In a trial the text is
// the tail of a word: nothing stands before it, and what follows its end
// (`endBeforeApostrophe`) is what follows that word.
void repairText(char* line, size_t i, size_t end, LineRepair& call, bool endBeforeApostrophe) {
    const std::string_view text(line, end);
    const size_t from = i;
    while (i < end) {
        size_t start = i;
        while (i < end && !endsWord(line[i]))
            ++i;
        if (i == start + 1) {  // one-byte words pass untouched
            call.result.push_back(line[start]);
            continue;
        }
        call.afterContraction = followsContraction(text, from, start, call.encoding);
        call.beforeApostrophe =
            i < end ? apostropheLengthAt(text, i, call.encoding) > 0 : endBeforeApostrophe;
        // End the word in place; the empty word (start == i) passes through too.
        char behind = line[i];
        line[i] = '\0';
        if ((call.beforeApostrophe && isDroppedG(line + start, i - start)) ||
            (call.afterContraction &&
             contractionEnding(text.substr(start, i - start)) == i - start))
            call.result.append(line + start, i - start);
        else
            repairWord(line + start, call);
        line[i] = behind;
        i = copySeparatorRun(line, i, end, call.result);
    }
}

}  // namespace

std::string repairLine(char* line, bool& fixed, bool verbose) {
    fixed = false;
    LineRepair call{{}, {}, fixed, verbose};
    const size_t n = std::strlen(line);
    call.encoding = encodingOfLine(std::string_view(line, n));
    size_t i = 0;
    for (Span span : verbatimSpans(std::string_view(line, n))) {
        repairText(line, i, span.from, call, false);
        call.result.append(line + span.from, span.to - span.from);
        i = span.to;
    }
    repairText(line, i, n, call, false);
    return std::move(call.result);
}

std::string repairPiece(char* piece, bool& fixed, bool beforeApostrophe) {
    fixed = false;
    LineRepair call{{}, {}, fixed, false};
    repairText(piece, 0, std::strlen(piece), call, beforeApostrophe);
    return std::move(call.result);
}
