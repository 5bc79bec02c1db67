// The repair of one line, case by case from the table in repairs.txt.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "support/testsupport.h"

namespace {

struct RepairCase {
    std::string name, words, line;
    Repair want{};
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
        if (key == "line") c.line = c.want.lineAfter = value;  // unchanged unless said
        if (key == "result") c.want.result = value;
        if (key == "after") c.want.lineAfter = value;
        if (key == "say") c.want.messages += value + "\n";
        if (key == "counts") {
            std::string flag;
            std::istringstream(value) >> c.want.fixedRise >> c.want.ofTheRise >> flag;
            c.want.fixed = flag == "fixed";
        }
    }
    return cases;
}

std::string shown(const Repair& r) {
    return "result '" + r.result + "', text after '" + r.lineAfter + "', fixedCount +" +
           std::to_string(r.fixedRise) + ", ofTheCount +" + std::to_string(r.ofTheRise) +
           (r.fixed ? ", fixed\n" : "\n") + r.messages;
}

TEST(Repair, EveryCaseOfTheTable) {
    std::vector<RepairCase> cases = readCases();
    ASSERT_GT(cases.size(), 40u);
    for (const RepairCase& c : cases) {
        loadTestDictionary(c.words);
        EXPECT_EQ(shown(repairCaptured(c.line)), shown(c.want)) << c.name;
    }
}

}  // namespace
