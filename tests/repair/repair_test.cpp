// The repair of one line, case by case from the table in repairs.txt.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "support/testsupport.h"

namespace {

struct RepairCase {
    std::string name, words, line, result, after, messages;
    bool hasWords2 = false, fixed = false;
    std::string words2;
    int64_t fixedRise = 0, ofTheRise = 0;
};

// \t \r \0 \xHH and \\ stand for those bytes.
std::string unescape(const std::string& text) {
    std::string bytes;
    for (size_t i = 0; i < text.size(); ++i) {
        char c = text[i] == '\\' ? text[++i] : 0;
        if (c == 'x') {
            bytes += static_cast<char>(std::stoi(text.substr(i + 1, 2), nullptr, 16));
            i += 2;
        } else {
            bytes += c == 0 ? text[i] : c == 't' ? '\t' : c == 'r' ? '\r' : c == '0' ? '\0' : c;
        }
    }
    return bytes;
}

std::vector<RepairCase> readCases() {
    std::ifstream in(UNJAM_REPAIRS);
    std::vector<RepairCase> cases;
    for (std::string row; std::getline(in, row);) {
        if (row.empty() || row[0] == '#') continue;
        std::string key = row.substr(0, row.find(' '));
        std::string value = unescape(row.size() > 8 ? row.substr(8) : "");
        if (key == "case") cases.emplace_back().name = value;
        RepairCase& c = cases.back();
        if (key == "words") c.words = value;
        if (key == "words2") c.words2 = value, c.hasWords2 = true;
        if (key == "line") c.line = c.after = value;  // unchanged unless said
        if (key == "result") c.result = value;
        if (key == "after") c.after = value;
        if (key == "say") c.messages += value + "\n";
        if (key == "counts") {
            std::string flag;
            std::istringstream(value) >> c.fixedRise >> c.ofTheRise >> flag;
            c.fixed = flag == "fixed";
        }
    }
    return cases;
}

TEST(Repair, EveryCaseOfTheTable) {
    std::vector<RepairCase> cases = readCases();
    ASSERT_GT(cases.size(), 40u);
    for (const RepairCase& c : cases) {
        loadTestDictionary(c.words, c.hasWords2 ? c.words2.c_str() : nullptr);
        Repair r = repairCaptured(c.line);
        EXPECT_EQ(r.result, c.result) << c.name;
        EXPECT_EQ(r.messages, c.messages) << c.name;
        EXPECT_EQ(r.fixedRise, c.fixedRise) << c.name;
        EXPECT_EQ(r.ofTheRise, c.ofTheRise) << c.name;
        EXPECT_EQ(r.fixed, c.fixed) << c.name;
        EXPECT_EQ(r.lineAfter, c.after) << c.name;
    }
}

}  // namespace
