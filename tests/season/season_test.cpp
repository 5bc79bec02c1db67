// The names unjam-season writes under, the figures it reads from unjam's
// log, and the second list it hands unjam.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "platform/platform.h"
#include "season/lists.h"
#include "season/plan.h"
#include "season/repairfile.h"
#include "support/testsupport.h"

namespace {

TEST(SeasonPlan, LogNames) {
    const char* cases[][2] = {
        {"ep01.srt", "ep01.log"},     {"Ep 03.SRT", "Ep 03.log"}, {"ep.Srt", "ep.log"},
        {"ep01.txt", "ep01.txt.log"}, {"ep01", "ep01.log"},       {"a.srt.srt", "a.srt.log"},
        {"srt", "srt.log"},           {"x.srtx", "x.srtx.log"},   {".SRT", ".log"},
    };
    for (auto& [name, log] : cases)
        EXPECT_EQ(logNameFor(name), log) << name;
}

TEST(SeasonPlan, FileNamesAndFolders) {
    EXPECT_EQ(fileName("season/one/ep01.srt") + fileName("ep01.srt") + fileName("season/"),
              "ep01.srtep01.srt");
    EXPECT_EQ(inFolder("out", "a") + inFolder("out/", "a") + inFolder("/", "a"), "out/aout/a/a");
}

// Each test writes a file of its own: CTest runs them side by side.
FileReport reportOf(const std::string& log) {
    std::string path = testing::TempDir() + "season-test-" +
                       testing::UnitTest::GetInstance()->current_test_info()->name() + ".log";
    FILE* f = std::fopen(path.c_str(), "wb");
    std::fwrite(log.data(), 1, log.size(), f);
    std::fclose(f);
    FileReport report;
    EXPECT_TRUE(readReport(path, report));
    std::remove(path.c_str());
    return report;
}

TEST(SeasonReport, FiguresOfUnjamsMessages) {
    FileReport r = reportOf(
        "Reading in dictionary...done.\nProcessing output...\n"
        "3: Ambiguous splitting of 'isbetween': chose 'is between' over 'i s between'\n"
        "3: Ambiguous splitting of 'ha': chose 'h a' over too many alternatives to list\n"
        "12: Couldn't find 'Zorblax' in the dictionary.\n"
        "12: Truncated 'ii' in 'stiill' to 'still'\n"
        "inDict got symbol ']'\n"
        "140: Couldn't find 'MUSIC]' in the dictionary.\n"
        "Read 231 lines.\nFixed 52 instances.\n"
        "1 possibily ambiguous 'of the'/'oft he'-style pairs silently ignored (chose 'of the')\n"
        "Exiting and freeing mem...done.\n");
    EXPECT_EQ(r.lines, 231);
    EXPECT_EQ(r.fixed, 52);
    EXPECT_EQ(r.ambiguous, 2);
    EXPECT_EQ(r.notFound, 2);
    EXPECT_TRUE(r.complete);
}

TEST(SeasonReport, OnlyNumberedLinesAreMessages) {
    // A line that merely holds a message's words is not one.
    // A log whose last line is not unjam's last is cut short.
    FileReport r = reportOf(
        ": Couldn't find 'x'\nExiting and freeing mem...done.\nx: Ambiguous splitting of "
        "'y'\nRead\n");
    EXPECT_EQ(r.ambiguous + r.notFound + r.lines + r.fixed, 0);
    EXPECT_FALSE(r.complete);
}

TEST(SeasonLists, SecondListIsWords2ThenTheNames) {
    loadTestDictionary("are\nyou\n", "Zorblax glimmer");
    EXPECT_EQ(secondListText({"Kirrin", "Bo"}), "Zorblax\nglimmer\nKirrin\nBo\n");
    loadTestDictionary("are\nyou\n");
    EXPECT_EQ(secondListText({"Kirrin"}), "Kirrin\n");
    EXPECT_EQ(secondListText({}), "");
    freeDictionary();
}

}  // namespace
