// Text as characters: the one place where every program learns what a line's
// bytes mean, what a letter, a word's end and an apostrophe are, and how a
// word is keyed for lookup. The data comes from the Unicode Character
// Database (unicodetables.cpp, generated), the same on every system.
//
// A line is read in one of two encodings, decided for each line on its own
// (encodingOfLine): a line that is valid UTF-8 is UTF-8, any other is
// Windows-1252, the code page of older subtitle files. Deciding per line
// keeps reading streamed (no look ahead over the whole file) and reads a
// file that mixes the two, as files patched by hand do, line by line
// correctly. Nothing is ever converted in a subtitle file: these functions
// only read, and toUtf8 makes text for messages.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "wordlist/unicodetables.h"

// ascii: a line with no byte above 0x7F, which both encodings read alike;
// it is told apart so that such a line, most lines, is read with no check
// beyond that.
enum class Encoding : uint8_t { ascii, utf8, windows1252 };

// Strict UTF-8: no overlong form, no surrogate, nothing above U+10FFFF. A
// byte order mark is a valid character.
bool isValidUtf8(std::string_view text);
Encoding encodingOfLine(std::string_view line);

// The encoding of the line being read now. repairLine sets it for each line
// it is handed; the lookup and the messages read that line's words by it.
extern Encoding lineEncoding;

// UTF-16 (a byte order mark, or NUL bytes in the first line, whatever ends
// it), given the start of a file: neither encoding above can read it, and no
// text of single bytes has either.
bool looksLikeUtf16(std::string_view start);
// Its name for a converter: "UTF-16" after a byte order mark, which tells
// the byte order; else "UTF-16BE" or "UTF-16LE" as the first NUL shows it.
// nullptr when it is not UTF-16.
const char* utf16Encoding(std::string_view start);

bool isAscii(std::string_view text);

// What a character is to the word model. A word is a run of letters, marks
// and others; digits and word ends end it. wordEnd: Unicode punctuation,
// symbols and spaces (general categories P, S, Z; so no-break space, dashes,
// curly quotes, the ellipsis, music signs), the tab, and every apostrophe.
// digit: every number (general category N). other: controls, format
// characters, unassigned code points, which stay inside a word.
enum class CharClass : uint8_t { other, letter, mark, digit, wordEnd };

CharClass classOf(char32_t code);

// A character of a line: its code point and its length in bytes.
struct Character {
    char32_t code;
    uint32_t length;
};

// Windows-1252 byte to code point; the five bytes the code page leaves
// undefined (0x81 0x8D 0x8F 0x90 0x9D) are the C1 controls of their value.
char32_t fromWindows1252(unsigned char byte);

// The character that starts at text[at] (at < text.size()). In UTF-8, a byte
// that starts no valid sequence is U+FFFD, one byte long.
Character decodeCharacter(std::string_view text, size_t at, Encoding encoding);

// The class and byte length of the character at text[at]: ASCII answered
// by one table read, without decoding.
struct ClassAt {
    CharClass type;
    uint32_t length;
};
ClassAt classAtSlow(std::string_view text, size_t at, Encoding encoding);
inline ClassAt classAt(std::string_view text, size_t at, Encoding encoding) {
    auto byte = static_cast<unsigned char>(text[at]);
    if (byte < 0x80) return {static_cast<CharClass>(asciiClassTable[byte]), 1};
    return classAtSlow(text, at, encoding);
}

// Where the character whose last byte is text[end - 1] begins, reading no
// further back than `from` (from < end).
size_t characterStartBefore(std::string_view text, size_t from, size_t end, Encoding encoding);

// Whether the text begins with a letter: a word that does not is no word of
// any list.
bool startsWithLetter(std::string_view text, Encoding encoding);
// How many characters (code points) the text holds: in UTF-8 its bytes that
// begin one, counted without decoding; a byte each in any other encoding.
size_t characterCount(std::string_view text, Encoding encoding);
// Whether a word may be cut before text[at]: at a character's start, and
// not before a combining mark, which belongs to the letter before it.
bool isSplitPoint(std::string_view text, size_t at, Encoding encoding);

// ' and the typographic apostrophes ’ (U+2019) ‘ (U+2018) ʼ (U+02BC):
// every rule that looks for an apostrophe asks this.
bool isApostrophe(char32_t code);
// The byte length of the apostrophe at text[at], 0 when there is none.
size_t apostropheAt(std::string_view text, size_t at, Encoding encoding);

// An upper- or title-case letter (`B`, `É`, `ẞ`; not `ß`, which folds to
// "ss" but is small).
bool isCapitalLetter(char32_t code);

// Full case folding (ß to ss, É to é), and canonical composition (NFC) of a
// string of code points.
std::u32string foldCase(std::u32string_view text);
std::u32string composeCanonical(std::u32string_view text);

// The code points of text in its encoding.
std::u32string decodeText(std::string_view text, Encoding encoding);
void appendUtf8(std::string& out, char32_t code);
// The text as valid UTF-8, for messages: a UTF-8 line as it stands.
std::string toUtf8(std::string_view text, Encoding encoding);

// The key a word is looked up by: case folded and composed (NFC), in UTF-8,
// so that a word is found whatever its case, its encoding and its form
// (composed or with combining marks). An ASCII word's key is the word with
// A-Z made small.
std::string lookupKey(std::string_view word, Encoding encoding);
