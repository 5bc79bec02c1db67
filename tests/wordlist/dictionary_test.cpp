#include "wordlist/dictionary.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "support/testdictionary.h"
#include "wordlist/lookup.h"

namespace {

int32_t start(char letter) {
    return letterStart[letter - 'A'];
}
int32_t end(char letter) {
    return letterStart[letter - 'A' + 1];
}

TEST(Dictionary, EmptyMainListStillLoadsSecondList) {
    loadTestDictionary("", "zebra apple");
    for (int i = 0; i <= 26; ++i)
        EXPECT_EQ(letterStart[i], 0) << i;
    EXPECT_EQ(letterStart[27], 2);
    EXPECT_EQ(dictCount, 2);
    EXPECT_EQ(dictWords[0], "zebra");
}

TEST(Dictionary, WhitespaceOfAnyKindSeparatesWords) {
    loadTestDictionary(" \tapple\r\nant\t\tbee\v\fbat  \n\n cat\r\ncow");
    ASSERT_EQ(dictCount, 6);
    const char* expected[] = {"apple", "ant", "bee", "bat", "cat", "cow"};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(dictWords[i], expected[i]);
        EXPECT_EQ(dictLengths[i], static_cast<int32_t>(dictWords[i].size()));
    }
    EXPECT_EQ(start('A'), 0);
    EXPECT_EQ(start('B'), 2);
    EXPECT_EQ(start('C'), 4);
    EXPECT_EQ(letterStart[26], 6);
    EXPECT_EQ(letterStart[27], 0);  // no second list
}

TEST(Dictionary, SubstituteByteEndsTheFile) {
    loadTestDictionary("apple ant\x1a bee", "zoo\x1azap");
    EXPECT_EQ(letterStart[26], 2);
    EXPECT_EQ(letterStart[27], 3);
    EXPECT_EQ(dictWords[2], "zoo");
}

TEST(Dictionary, LettersWithoutWordsGetEmptyRangesInPlace) {
    loadTestDictionary("bee Bat wasp Wren yak");  // no A, no X, no Z
    EXPECT_EQ(start('A'), 0);
    EXPECT_EQ(end('A'), 0);
    EXPECT_EQ(start('B'), 0);
    EXPECT_EQ(end('B'), 2);
    EXPECT_EQ(start('W'), 2);
    EXPECT_EQ(end('W'), 4);  // X is empty and starts where Y does
    EXPECT_EQ(start('X'), 4);
    EXPECT_EQ(end('X'), 4);
    EXPECT_EQ(start('Y'), 4);
    EXPECT_EQ(start('Z'), 5);
    EXPECT_EQ(letterStart[26], 5);
}

TEST(Dictionary, NonLetterInitialsAreStoredButStartNoRun) {
    loadTestDictionary("apple 'tis 42 Ant [x] avid bee");
    EXPECT_EQ(dictCount, 7);
    EXPECT_EQ(start('A'), 0);
    EXPECT_EQ(start('B'), 6);
    testing::internal::CaptureStderr();
    EXPECT_TRUE(inDict("avid"));  // the run of A was not broken
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}

TEST(Dictionary, DuplicatesAreStoredTwice) {
    loadTestDictionary("go go");
    EXPECT_EQ(dictCount, 2);
}

TEST(Dictionary, LongWordsAndAnyBytesAreKept) {
    std::string longWord(100000, 'q');
    loadTestDictionary(std::string("n\0l ", 4) + "q" + longWord);
    EXPECT_EQ(dictLengths[0], 3);
    EXPECT_EQ(dictLengths[1], 100001);
    EXPECT_FALSE(inDict("n"));  // a word holding a NUL byte is never found
}

TEST(Dictionary, FreeEmptiesEverything) {
    loadTestDictionary("apple", "zoo");
    freeDictionary();
    EXPECT_EQ(dictCount, 0);
    EXPECT_TRUE(dictWords.empty());
    for (int32_t entry : letterStart)
        EXPECT_EQ(entry, 0);
}

// A letter's range runs from its last group to the next letter's start, so
// an ungrouped list loses more than the earlier groups; the user is told
// once per load exactly how many words are lost.
TEST(Dictionary, UngroupedListKeepsLastRunAndWarnsOnce) {
    testing::internal::CaptureStderr();
    loadTestDictionary("apple banana avocado cherry bean");
    std::string warning = testing::internal::GetCapturedStderr();
    EXPECT_EQ(start('A'), 2);
    EXPECT_EQ(end('A'), 4);  // B restarted at 4
    EXPECT_EQ(start('B'), 4);
    EXPECT_EQ(end('B'), 3);  // C started at 3: B's range is empty
    EXPECT_FALSE(inDict("apple"));
    EXPECT_TRUE(inDict("avocado"));
    EXPECT_TRUE(inDict("cherry"));
    EXPECT_FALSE(inDict("banana"));
    EXPECT_FALSE(inDict("bean"));
    EXPECT_EQ(warning,
              "Warning: 'words' is not grouped in A-Z order: 3 of its 5 words can never be found "
              "(letters A, B); put extra words in words2, or sort the list (sort -f)\n");
    // "ant" is found by its copy "Ant", which stands in A's range.
    testing::internal::CaptureStderr();
    loadTestDictionary("ant bee Ant cat bat");
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "Warning: 'words' is not grouped in A-Z order: 2 of its 5 words can never be found "
              "(letters B); put extra words in words2, or sort the list (sort -f)\n");
}

TEST(Dictionary, RangeThatEndsBeforeItStartsFindsNothing) {
    loadTestDictionary("bee apple bat");
    EXPECT_EQ(start('B'), 2);
    EXPECT_EQ(end('B'), 3);
    EXPECT_EQ(start('A'), 1);
    EXPECT_EQ(end('A'), 2);
    EXPECT_FALSE(inDict("bee"));
    EXPECT_TRUE(inDict("bat"));
    EXPECT_TRUE(inDict("apple"));
}

class DictionaryFiles : public testing::Test {
protected:
    void SetUp() override {
        dir = std::filesystem::temp_directory_path() /
              ("unjam-dict-" + std::to_string(getpid()) + "-" +
               testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(dir);
        previous = std::filesystem::current_path();
        std::filesystem::current_path(dir);
    }
    void TearDown() override {
        std::filesystem::current_path(previous);
        std::filesystem::remove_all(dir);
    }
    static void write(const char* name, const std::string& text) {
        std::ofstream(name, std::ios::binary) << text;
    }
    std::filesystem::path dir, previous;
};

TEST_F(DictionaryFiles, ReadsBothFilesFromWorkingDirectory) {
    write("words", "are\nyou");
    write("words2", "Zork");
    readDictionary();
    EXPECT_EQ(letterStart[26], 2);
    EXPECT_EQ(letterStart[27], 3);
    EXPECT_TRUE(inDict("zork"));
}

TEST_F(DictionaryFiles, SecondListThatIsADirectoryIsEmpty) {
    write("words", "are");
    std::filesystem::create_directory("words2");
    readDictionary();
    EXPECT_EQ(letterStart[27], 0);
    EXPECT_EQ(dictCount, 1);
}

// The refusal, then where the list was looked for and the installed one.
const char* const missingWordsText =
    "^Could not open the words file\nUnjam reads its word list from 'words' in the working "
    "directory; to use the installed default list: ln -s /.*/share/unjam/words words\n$";

TEST_F(DictionaryFiles, MissingWordsEndsTheProcess) {
    EXPECT_EXIT(readDictionary(), testing::ExitedWithCode(1), missingWordsText);
}

TEST_F(DictionaryFiles, WordsThatIsADirectoryEndsTheProcess) {
    std::filesystem::create_directory("words");
    EXPECT_EXIT(readDictionary(), testing::ExitedWithCode(1), missingWordsText);
}

}  // namespace
