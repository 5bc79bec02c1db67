// The character layer, class by class: encodings, the word model's classes,
// apostrophes, case folding and composition, keys and messages.
#include <gtest/gtest.h>

#include <string>

#include "wordlist/caseforms.h"
#include "wordlist/characters.h"

namespace {

constexpr Encoding ascii = Encoding::ascii, utf8 = Encoding::utf8, cp1252 = Encoding::windows1252;

TEST(Characters, EncodingOfALine) {
    struct Row {
        const char* line;
        Encoding want;
    } rows[] = {
        {"", ascii},
        {"plain ASCII", ascii},
        {"ASCII, 127: \x7f", ascii},
        {"\xef\xbb\xbf\x31", utf8},         // byte order mark
        {"don\xe2\x80\x99t", utf8},         // don’t
        {"\xf0\x9f\x8e\xb5", utf8},         // a four-byte character
        {"don\x92t", cp1252},               // don’t in Windows-1252
        {"caf\xe9", cp1252},                // café in Windows-1252
        {"\xe2\x80", cp1252},               // cut short
        {"\xc0\xaf", cp1252},               // overlong '/'
        {"\xe0\x9f\xbf", cp1252},           // overlong three-byte form
        {"\xed\xa0\x80", cp1252},           // a surrogate
        {"\xf4\x90\x80\x80", cp1252},       // above U+10FFFF
        {"\xf5\x80\x80\x80", cp1252},       // no such lead byte
        {"ok \x80 ok", cp1252},             // a lone continuation byte
        {"\xe2\x80\x99\xe2\x80x", cp1252},  // valid, then a broken sequence
    };
    for (const Row& row : rows)
        EXPECT_EQ(encodingOfLine(row.line), row.want) << row.line;
}

TEST(Characters, DecodingOneCharacter) {
    struct Row {
        std::string text;
        Encoding encoding;
        char32_t code;
        uint32_t length;
    } rows[] = {
        {"a", utf8, 'a', 1},
        {"\xc3\xa9", utf8, 0xE9, 2},
        {"\xe2\x80\x99", utf8, 0x2019, 3},
        {"\xf0\x9f\x8e\xb5", utf8, 0x1F3B5, 4},
        {"\xe2\x80", utf8, 0xFFFD, 1},
        {"\x80", cp1252, 0x20AC, 1},
        {"\x81", cp1252, 0x81, 1},  // the five undefined bytes are C1 controls
        {"\x8d", cp1252, 0x8D, 1},
        {"\x8f", cp1252, 0x8F, 1},
        {"\x90", cp1252, 0x90, 1},
        {"\x9d", cp1252, 0x9D, 1},
        {"\x85", cp1252, 0x2026, 1},
        {"\x92", cp1252, 0x2019, 1},
        {"\x9f", cp1252, 0x178, 1},
        {"\xa0", cp1252, 0xA0, 1},
        {"\xe9", cp1252, 0xE9, 1},
        {"\xff", cp1252, 0xFF, 1},
    };
    for (const Row& row : rows) {
        Character c = decodeCharacter(row.text, 0, row.encoding);
        EXPECT_EQ(c.code, row.code) << row.text;
        EXPECT_EQ(c.length, row.length) << row.text;
    }
}

TEST(Characters, ClassesOfTheWordModel) {
    struct Row {
        char32_t code;
        CharClass want;
    } rows[] = {
        {'a', CharClass::letter},     {'Z', CharClass::letter},     {0xE9, CharClass::letter},
        {0x3B1, CharClass::letter},   {0x4E2D, CharClass::letter},  {0x2BB, CharClass::letter},
        {0x301, CharClass::mark},     {0x308, CharClass::mark},     {'0', CharClass::digit},
        {'9', CharClass::digit},      {0x660, CharClass::digit},    {0xBD, CharClass::digit},
        {' ', CharClass::wordEnd},    {'\t', CharClass::wordEnd},   {0xA0, CharClass::wordEnd},
        {0x2003, CharClass::wordEnd}, {'\'', CharClass::wordEnd},   {0x2019, CharClass::wordEnd},
        {0x2BC, CharClass::wordEnd},  {0x201C, CharClass::wordEnd}, {0x2026, CharClass::wordEnd},
        {0x2014, CharClass::wordEnd}, {0x266A, CharClass::wordEnd}, {0x1F3B5, CharClass::wordEnd},
        {0xBF, CharClass::wordEnd},   {0x20AC, CharClass::wordEnd}, {'\r', CharClass::other},
        {0, CharClass::other},        {0xAD, CharClass::other},     {0x200D, CharClass::other},
        {0xE000, CharClass::other},   {0x10FFFF, CharClass::other}, {0x378, CharClass::other},
    };
    for (const Row& row : rows)
        EXPECT_EQ(classOf(row.code), row.want) << std::hex << static_cast<uint32_t>(row.code);
    // The ASCII punctuation outside the separators of old ends words too.
    for (char c : std::string("[];*_=+|~^\\{}@ ,!?.-:'\"$%#/`&()<>"))
        EXPECT_EQ(classOf(static_cast<unsigned char>(c)), CharClass::wordEnd) << c;
}

TEST(Characters, ClassAtAndTheTableAgree) {
    for (int c = 0; c < 0x80; ++c) {
        std::string text(1, static_cast<char>(c));
        EXPECT_EQ(classAt(text, 0, utf8).type, classOf(static_cast<char32_t>(c))) << c;
    }
    ClassAt dash = classAt("a\xe2\x80\x94", 1, utf8);
    EXPECT_EQ(dash.type, CharClass::wordEnd);
    EXPECT_EQ(dash.length, 3u);
    EXPECT_EQ(classAt("a\x97", 1, cp1252).type, CharClass::wordEnd);  // — in Windows-1252
    EXPECT_EQ(classAt("\xe9", 0, cp1252).type, CharClass::letter);
}

TEST(Characters, Apostrophes) {
    struct Row {
        std::string text;
        Encoding encoding;
        size_t length;
    } rows[] = {
        {"'", utf8, 1},
        {"\xe2\x80\x99", utf8, 3},  // ’
        {"\xe2\x80\x98", utf8, 3},  // ‘
        {"\xca\xbc", utf8, 2},      // ʼ
        {"\x92", cp1252, 1},
        {"\x91", cp1252, 1},
        {"`", utf8, 0},
        {"\"", utf8, 0},
        {"\xe2\x80\x9d", utf8, 0},  // ”
        {"\xc2\xb4", utf8, 0},      // ´
        {"\x93", cp1252, 0},
        {"\xe2\x80", utf8, 0},
    };
    for (const Row& row : rows)
        EXPECT_EQ(apostropheAt(row.text, 0, row.encoding), row.length) << row.text;
}

std::string utf8Of(std::u32string_view text) {
    std::string out;
    for (char32_t c : text)
        appendUtf8(out, c);
    return out;
}

TEST(Characters, FoldingAndComposition) {
    struct Row {
        std::u32string text, folded, composed;
    } rows[] = {
        {U"AbC", U"abc", U"AbC"},
        {U"\u00c9LO\u00cfSE", U"\u00e9lo\u00efse", U"\u00c9LO\u00cfSE"},
        {U"E\u0301", U"e\u0301", U"\u00c9"},
        {U"ZO\u00cb", U"zo\u00eb", U"ZO\u00cb"},
        {U"\u00df", U"ss", U"\u00df"},
        {U"\u1e9e", U"ss", U"\u1e9e"},
        {U"\u0100\u0101\u0102", U"\u0101\u0101\u0103", U"\u0100\u0101\u0102"},
        {U"\u03a3\u0399", U"\u03c3\u03b9", U"\u03a3\u0399"},
        {U"\u0130", U"i\u0307", U"\u0130"},
        {U"\u212b", U"\u00e5", U"\u00c5"},    // the ångström sign is Å
        {U"\ufb01ne", U"fine", U"\ufb01ne"},  // full folding unfolds the ligature
        {U"a\u0323\u0302", U"a\u0323\u0302", U"\u1ead"},
        {U"a\u0302\u0323", U"a\u0302\u0323", U"\u1ead"},  // marks put in order
        {U"\u0344", U"\u0344", U"\u0308\u0301"},          // excluded from composition
        {U"\u1100\u1161\u11a8", U"\u1100\u1161\u11a8", U"\uac01"},
        {U"\uac01", U"\uac01", U"\uac01"},
        {U"\u0301a", U"\u0301a", U"\u0301a"},  // a leading mark composes with nothing
        {U"", U"", U""},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(utf8Of(foldCase(row.text)), utf8Of(row.folded)) << utf8Of(row.text);
        EXPECT_EQ(utf8Of(composeCanonical(row.text)), utf8Of(row.composed)) << utf8Of(row.text);
    }
}

TEST(Characters, LookupKeys) {
    struct Row {
        std::string word;
        Encoding encoding;
        std::string key;
    } rows[] = {
        {"Hello", utf8, "hello"},
        {"Jos\xc3\xa9", utf8, "jos\xc3\xa9"},
        {"JOS\xc3\x89", utf8, "jos\xc3\xa9"},
        {"Jose\xcc\x81", utf8, "jos\xc3\xa9"},  // written with a combining mark
        {"JOS\xc9", cp1252, "jos\xc3\xa9"},     // the same in Windows-1252
        {"\xc3\x89lo\xc3\xafse", utf8, "\xc3\xa9lo\xc3\xafse"},
        {"\xc3\x89LO\xc3\x8fSE", utf8, "\xc3\xa9lo\xc3\xafse"},
        {"Stra\xc3\x9f"
         "e",
         utf8, "strasse"},
        {"\xe1\xbe\x88", utf8, "\xe1\xbc\x80\xce\xb9"},  // ᾈ folds to ἀι
        {"\xef\xac\x81ne", utf8, "fine"},                // ﬁne finds fine
    };
    for (const Row& row : rows)
        EXPECT_EQ(lookupKey(row.word, row.encoding), row.key) << row.word;
}

// A word of Latin letters is keyed letter by letter; beside a letter of
// another script the whole word is folded and composed at once, and each
// Latin letter must come out the same either way.
TEST(Characters, LatinKeysAsWholeWordKeys) {
    for (char32_t code = 0x80; code < 0x250; ++code) {
        std::string word;
        appendUtf8(word, code);
        word += "Ab";
        EXPECT_EQ(lookupKey(word, utf8) + "\xcf\x89", lookupKey(word + "\xce\xa9", utf8))
            << static_cast<uint32_t>(code);
    }
}

TEST(Characters, CapitalLettersAndCaseForms) {
    for (char32_t c : {U'A', U'Z', U'\u00c9', U'\u1e9e', U'\u0130', U'\u1f88', U'\u03a3'})
        EXPECT_TRUE(isCapitalLetter(c)) << static_cast<uint32_t>(c);
    for (char32_t c : {U'a', U'@', U'\u00df', U'\u00e9', U'\u00b5', U'\u03c2', U'\u4e00'})
        EXPECT_FALSE(isCapitalLetter(c)) << static_cast<uint32_t>(c);
    struct Row {
        std::string word;
        Encoding encoding;
        uint8_t form;
    } rows[] = {
        {"t\xc3\xbcr", utf8, formSmall},
        {"T\xc3\xbcr", utf8, formCapital},
        {"T\xc3\x9cR", utf8, formCapital},
        {"ROMs", ascii, formCapital},
        {"derB", ascii, formMixed},
        {"iPhone", ascii, formMixed},
        {"da\xc3\x9f", utf8, formSmall},
        {"\xdc"
         "ber",
         cp1252, formCapital},
        {"\xc3\xbc\xc3\x9c", utf8, formMixed},
        {"'s", ascii, formSmall},
    };
    for (const Row& row : rows)
        EXPECT_EQ(caseFormOf(row.word, row.encoding), row.form) << row.word;
}

TEST(Characters, MessagesAreUtf8) {
    EXPECT_EQ(toUtf8("don\x92t caf\xe9", cp1252), "don\xe2\x80\x99t caf\xc3\xa9");
    EXPECT_EQ(toUtf8("\x81\x80", cp1252), "\xc2\x81\xe2\x82\xac");
    EXPECT_EQ(toUtf8("don\xe2\x80\x99t", utf8), "don\xe2\x80\x99t");
    EXPECT_EQ(toUtf8("half \xe2\x80", utf8), "half \xef\xbf\xbd\xef\xbf\xbd");
    EXPECT_EQ(toUtf8("plain", cp1252), "plain");
    std::string all;
    for (char32_t c : {char32_t{0x7F}, char32_t{0x80}, char32_t{0x7FF}, char32_t{0x800},
                       char32_t{0xFFFF}, char32_t{0x10000}, char32_t{0x10FFFF}})
        appendUtf8(all, c);
    EXPECT_TRUE(isValidUtf8(all));
    EXPECT_EQ(decodeText(all, utf8), std::u32string(U"\u007f\u0080\u07ff\u0800\uffff"
                                                    U"\U00010000\U0010ffff"));
}

}  // namespace
