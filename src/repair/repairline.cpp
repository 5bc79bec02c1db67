#include "repair/repairline.h"

#include <cstring>
#include <string_view>

#include "repair/contractions.h"
#include "repair/repairword.h"
#include "repair/spokenforms.h"
#include "repair/verbatim.h"
#include "wordlist/characters.h"

namespace {

bool isQuotePair(const char* at) {
    return (at[0] == '\'' && at[1] == '\'') || (at[0] == '`' && at[1] == '`');
}

bool isWordEnd(CharClass type) {
    return type == CharClass::wordEnd || type == CharClass::digit;
}

// One table read; `c` is ASCII.
bool endsWordAscii(char c) {
    return isWordEnd(static_cast<CharClass>(asciiClassTable[static_cast<unsigned char>(c) & 0x7F]));
}

// Where the run of characters at `i` that end no word stops, and how many
// characters it holds (a combining mark is not counted). A line of ASCII
// (most lines) is walked byte by byte, with no decoding and no check.
template <bool asciiLine>
size_t wordEnd(std::string_view text, size_t i, size_t& characters) {
    const size_t start = i;
    if constexpr (asciiLine) {
        while (i < text.size() && !endsWordAscii(text[i]))
            ++i;
        characters = i - start;
        return i;
    }
    size_t beyondAsciiBytes = 0, beyondAscii = 0;
    while (i < text.size()) {
        if (static_cast<unsigned char>(text[i]) < 0x80) {
            if (endsWordAscii(text[i])) break;
            ++i;
            continue;
        }
        ClassAt c = classAtSlow(text, i, lineEncoding);
        if (isWordEnd(c.type)) break;
        beyondAscii += c.type != CharClass::mark;
        beyondAsciiBytes += c.length;
        i += c.length;
    }
    characters = i - start - beyondAsciiBytes + beyondAscii;
    return i;
}

// Copies the separator run at `i`, up to `end` at most, turning each doubled
// apostrophe or grave accent into one quotation mark (an ASCII rule: curly
// quotes are never merged). Returns where the run ends.
template <bool asciiLine>
size_t copySeparatorRun(char* line, size_t i, size_t end, std::string& result) {
    std::string_view text(line, end);
    while (i < end) {
        if (asciiLine || static_cast<unsigned char>(line[i]) < 0x80) {
            if (!endsWordAscii(line[i])) break;
            if (i + 1 < end && isQuotePair(line + i)) line[++i] = '"';
            result.push_back(line[i++]);
            continue;
        }
        ClassAt c = classAtSlow(text, i, lineEncoding);
        if (!isWordEnd(c.type)) break;
        result.append(line + i, c.length);
        i += c.length;
    }
    return i;
}

// Walks line[i, end) into words and separator runs. A word is a run of
// characters that end no word (letters, combining marks, controls); a word
// of one character, with any marks on it, passes untouched. In a trial the
// text is the tail of a word: nothing stands before it, and what follows
// its end (`endBeforeApostrophe`) is what follows that word.
template <bool asciiLine>
void walk(char* line, size_t i, size_t end, LineRepair& call, bool endBeforeApostrophe) {
    const std::string_view text(line, end);
    const size_t from = i;
    while (i < end) {
        size_t start = i, characters;
        i = wordEnd<asciiLine>(text, i, characters);
        if ((characters == 1 && i > start) ||
            (call.atLineStart && i < end && line[i] == ':' &&
             isSpeakerLabel(text.substr(from, start - from), text.substr(start, i - start),
                            text.substr(i), lineEncoding))) {
            call.result.append(line + start, i - start);
            continue;
        }
        call.afterContraction = followsContraction(text, from, start);
        call.contracted =
            call.afterContraction ? wordBeforeApostrophe(text, from, start) : std::string_view();
        call.afterOpeningApostrophe =
            !call.afterContraction && followsOpeningApostrophe(text, from, start);
        call.beforeApostrophe = i < end ? apostropheLengthAt(text, i) > 0 : endBeforeApostrophe;
        // End the word in place; the empty word (start == i) passes through too.
        char behind = line[i];
        line[i] = '\0';
        if ((call.beforeApostrophe && isDroppedG(line + start, i - start)) ||
            ((call.afterContraction || call.afterOpeningApostrophe) &&
             leadingEnding(text.substr(start, i - start), call) == i - start))
            call.result.append(line + start, i - start);
        else
            repairWord(line + start, call);
        line[i] = behind;
        i = copySeparatorRun<asciiLine>(line, i, end, call.result);
    }
    call.atLineStart =
        call.atLineStart && text.substr(from).find_first_not_of(" -") == std::string_view::npos;
}

void repairText(char* line, size_t i, size_t end, LineRepair& call, bool endBeforeApostrophe) {
    if (lineEncoding == Encoding::ascii)
        walk<true>(line, i, end, call, endBeforeApostrophe);
    else
        walk<false>(line, i, end, call, endBeforeApostrophe);
}

}  // namespace

std::string repairLine(char* line, bool& fixed, bool verbose) {
    fixed = false;
    LineRepair call{{}, {}, fixed, verbose};
    const size_t n = std::strlen(line);
    lineEncoding = encodingOfLine(std::string_view(line, n));
    size_t i = 0;
    for (Span span : verbatimSpans(std::string_view(line, n), lineEncoding)) {
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
    call.atLineStart = false;  // a piece is the tail of a word
    repairText(piece, 0, std::strlen(piece), call, beforeApostrophe);
    return std::move(call.result);
}
