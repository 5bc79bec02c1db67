// Which line pairs are a repair, and the changes they are cut into.
#include <gtest/gtest.h>

#include <string>

#include "review/alignment.h"
#include "review/namespots.h"

namespace {

// The changes as "[before|after|marks]" between the common text; "refused"
// when the pair is no repair.
std::string shown(const std::string& before, const std::string& after,
                  const PageNames& names = {}) {
    LineChanges line;
    if (!alignLine(before, after, line)) return "refused";
    splitNameSpots(names, line);
    std::string text = line.common[0];
    for (size_t k = 0; k < line.changes.size(); ++k) {
        const Change& c = line.changes[k];
        text += "[" + c.before + "|" + c.after + "|" + c.marks + "]" + line.common[k + 1];
    }
    return text;
}

// Before, after, and the changes shown.
const char* const cases[][3] = {
    {"What areyou doing?", "What are you doing?", "What [areyou|are you|===+===] doing?"},
    {"", "", ""},
    {"unchanged, 12 words", "unchanged, 12 words", "unchanged, 12 words"},
    {"wiill", "will", "[wiill|will|==-==]"},
    {"theiistiill", "thei still", "[theiistiill|thei still|====-+===-==]"},
    // The blank after a word is no insertion, though an i could follow it.
    {"theystiilliii ok", "they still ii ok", "[theystiilliii|they still ii|====+===-==+==-] ok"},
    {"xii i y", "x i i y", "[xii|x i|=+=-] i y"},
    // Rewrites in a line where the first fit of each word fails.
    {"''xii i y", "\"x i i y", "[''|\"|-~][xii|x i|=+=-] i y"},
    {"Ofthe xii i y", "of the x i i y", "[Ofthe|of the|~=+===] [xii|x i|=+=-] i y"},
    {"ii", "i i", "[ii|i i|=+=]"},
    {"''Yes''", "\"Yes\"", "[''|\"|-~]Yes[''|\"|-~]"},
    {"``a'''", "\"a\"'", "[``|\"|-~]a[''|\"|-~]'"},
    {"''kept", "''kept", "''kept"},
    {"ofthe OFTHE Ofthe", "of the of THE of the",
     "[ofthe|of the|==+===] [OFTHE|of THE|~~+===] [Ofthe|of the|~=+===]"},
    {"caf\xe9"
     "and",
     "caf\xe9 and",
     "[caf\xe9"
     "and|caf\xe9 and|====+===]"},
    {"a1bc2de", "a1b c2d e", "a1[bc|b c|=+=]2[de|d e|=+=]"},
    // UTF-8: words as the repair cuts them, blanks between characters.
    {"don\u2019tknow [DOORSLAMS]", "don\u2019t know [DOOR SLAMS]",
     "don\u2019[tknow|t know|=+====] [[DOORSLAMS|DOOR SLAMS|====+=====]]"},
    {"Zo\u00ebsaid", "Zo\u00eb said", "[Zo\u00ebsaid|Zo\u00eb said|====+====]"},
    // Anything else is no repair.
    {"areyou", "are  you", "refused"},
    {"areyou", " areyou", "refused"},
    {"areyou", "areyou ", "refused"},
    {"are you", "areyou", "refused"},
    {"Areyou", "are you", "refused"},
    {"wil", "wl", "refused"},
    {"What", "what", "refused"},
    {"a, b", "a; b", "refused"},
    {"12", "1 2", "refused"},
    {"caf\u00e9", "caf\xc3 \xa9", "refused"},  // a blank inside a character
    {"\"Yes\"", "''Yes''", "refused"},
    {"oftHe", "of tHE", "refused"},
    {"text", "", "refused"},
    {"", "x", "refused"},
};

TEST(Alignment, CasesTable) {
    for (auto& c : cases)
        EXPECT_EQ(shown(c[0], c[1]), c[2]) << c[0] << " -> " << c[1];
}

// Messages quote words as the repair saw them: rewritten in place, with
// blanks inserted and i's dropped.
TEST(Alignment, ReportedWords) {
    const char* line = "isstiillhere, I'm theiistiill.";
    for (const char* word :
         {"isstiillhere", "isstill here", "stiillhere", "iistill", "thei still", "I", "m"})
        EXPECT_TRUE(holdsReportedWord(line, word)) << word;
    for (const char* word : {"Zorblax", "isstillhere s", "still there", "Im", "here;"})
        EXPECT_FALSE(holdsReportedWord(line, word)) << word;
}

// A word that holds a proposed name becomes a change of its own that changes
// nothing, whether the lists alone repair it otherwise ("Cragmoor") or not
// ("moor"); a word the lists were not asked about is no name's place.
TEST(Alignment, NameSpots) {
    PageNames names{{"Crag", "moor"}, {}, {{"Cragmoor", "Crag moor"}, {"moor", "moor"}}};
    const char* const spots[][3] = {
        {"Cragmoor, a moor areyou", "Cragmoor, a moor are you",
         "[Cragmoor|Cragmoor|========], a [moor|moor|====] [areyou|are you|===+===]"},
        {"''Cragmoor''", "\"Cragmoor\"", "[''|\"|-~][Cragmoor|Cragmoor|========][''|\"|-~]"},
        {"CRAGMOOR Cragmoors", "CRAGMOOR Cragmoors", "CRAGMOOR Cragmoors"},
    };
    for (auto& c : spots)
        EXPECT_EQ(shown(c[0], c[1], names), c[2]) << c[0];
    EXPECT_EQ(namesIn(names.proposed, "CRAGMOORs"), (std::vector<size_t>{0, 1}));
    EXPECT_EQ(namesIn(names.proposed, "Cra gmoor"), (std::vector<size_t>{1}));
}

}  // namespace
