#include <gtest/gtest.h>

#include "app/debug_log.h"
#include "platform/files.h"
#include "scores/score_file.h"
#include "scores/scramble.h"
#include "support/temp_dir.h"

namespace glimmet {
namespace {

Scores Record(int64_t score, int64_t timestamp, const std::string& name) {
    Scores r;
    r.Score = score;
    r.Timestamp = timestamp;
    r.Name = name;
    return r;
}

class ScoreFile : public testing::Test {
  protected:
    void SetUp() override {
        BuildDefaultKey();
        InitializeScores();
    }
    void TearDown() override { InitializeScores(); }

    void Reload() {
        ScoreList.clear();
        LoadScores();
    }

    test::TempDir dir;
};

TEST_F(ScoreFile, RoundTripsEveryField) {
    Scores full = Record(-123456789012LL, 64605772799LL, "Flonder");
    full.Badges = 5;
    full.Level = 3;
    full.GameMode = 2;
    full.GameFlags = 9;
    full.Quit = 1;
    for (int i = 1; i <= 30; i++) full.Best[static_cast<size_t>(i)] = i * 100;
    AddScore(full);
    AddScore(Record(50, 64605772700LL, "  spaced  "));
    LoginName = "me";
    LoginPassword = "secret";
    SaveScores();
    const std::vector<Scores> saved = ScoreList;
    LoginName = LoginPassword = "";
    Reload();
    ASSERT_EQ(ScoreList.size(), 2u);
    const Scores& back = ScoreList[0];
    EXPECT_EQ(back.Score, full.Score);
    EXPECT_EQ(back.Timestamp, full.Timestamp);
    EXPECT_EQ(back.Name, "Flonder");
    EXPECT_EQ(back.Badges, 5);
    EXPECT_EQ(back.Level, 3);
    EXPECT_EQ(back.GameMode, 2);
    EXPECT_EQ(back.GameFlags, 9);
    EXPECT_EQ(back.Quit, 1);
    EXPECT_EQ(back.Best, full.Best);
    EXPECT_EQ(ScoreList[1].Name, "spaced"); // blanks around a name are not kept
    EXPECT_EQ(LoginName, "me");
    EXPECT_EQ(LoginPassword, "secret");
    EXPECT_EQ(PlayerName, "Flonder"); // the newest record's name
}

TEST_F(ScoreFile, EveryLineIsScrambledHex) {
    AddScore(Record(10, 1, "A"));
    SaveScores();
    auto lines = *ReadTextLines("nuscores.dat");
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(Unscramble(lines[0], LoginKey), "|");
    EXPECT_EQ(Unscramble(lines[1], ""), "10|A|0|1|0|0|0|0" + BestSeparator +
                                            "0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0");
    for (const std::string& line : lines)
        EXPECT_EQ(line.find_first_not_of("0123456789ABCDEF"), std::string::npos);
}

TEST_F(ScoreFile, DamagedLinesAreSkippedAndTheRestLoads) {
    const std::string good1 = Scramble("300|Newest|0|30|0|0|0|0", "");
    const std::string good2 = Scramble("100|Oldest|0|10|0|0|0|0", "");
    std::string damaged = Scramble("200|Middle|0|20|0|0|0|0", "");
    damaged[7] = damaged[7] == 'A' ? 'B' : 'A';
    test::WriteBytes("nuscores.dat", Scramble("u|p", LoginKey) + "\r\n" + good1 + "\r\n" + damaged +
                                         "\r\n\r\nAB\r\n|\r\n" + Scramble("no bars here", "") + "\r\n" +
                                         good2 + "\r\n");
    LoadScores();
    ASSERT_EQ(ScoreList.size(), 2u);
    EXPECT_EQ(ScoreList[0].Name, "Newest");
    EXPECT_EQ(ScoreList[1].Name, "Oldest");
    EXPECT_EQ(LoginName, "u");
}

TEST_F(ScoreFile, DamagedCredentialsReadAsXXX) {
    test::WriteBytes("nuscores.dat", "0011\r\n" + Scramble("1|A|0|5|0|0|0|0", "") + "\r\n");
    LoadScores();
    EXPECT_EQ(LoginName, "XXX");
    EXPECT_EQ(LoginPassword, "XXX");
    EXPECT_EQ(ScoreList.size(), 1u);
}

TEST_F(ScoreFile, MissingOrEmptyFileChangesNothing) {
    AddScore(Record(1, 1, "kept"));
    LoadScores();
    EXPECT_EQ(ScoreList.size(), 1u);
    EXPECT_EQ(PlayerName, "Player");
    test::WriteBytes("nuscores.dat", "");
    LoadScores();
    EXPECT_TRUE(ScoreList.empty());
    EXPECT_EQ(LoginName, "XXX");
}

TEST_F(ScoreFile, NewestFirstAndEqualTimesKeepTheirOrder) {
    AddScore(Record(1, 50, "first"));
    AddScore(Record(2, 90, "later"));
    AddScore(Record(3, 50, "second"));
    AddScore(Record(4, 50, "third"));
    std::vector<std::string> names;
    for (const Scores& r : ScoreList) names.push_back(r.Name);
    const std::vector<std::string> expected = {"later", "first", "second", "third"};
    EXPECT_EQ(names, expected);
    SaveScores();
    Reload();
    names.clear();
    for (const Scores& r : ScoreList) names.push_back(r.Name);
    EXPECT_EQ(names, expected);
    EXPECT_LT(ScoreList[0].Compare(ScoreList[1]), 0);
    EXPECT_GT(ScoreList[1].Compare(ScoreList[0]), 0);
    EXPECT_EQ(ScoreList[1].Compare(ScoreList[2]), 0);
}

TEST_F(ScoreFile, NamesAndCredentialsCannotShiftFields) {
    Scores tricky = Record(777, 5, "a|b" + BestSeparator + "c");
    tricky.Best[1] = 11;
    AddScore(tricky);
    LoginName = "us|er";
    LoginPassword = "pa|ss|word";
    SaveScores();
    Reload();
    ASSERT_EQ(ScoreList.size(), 1u);
    EXPECT_EQ(ScoreList[0].Score, 777);
    EXPECT_EQ(ScoreList[0].Timestamp, 5);
    EXPECT_EQ(ScoreList[0].Best[1], 11);
    EXPECT_EQ(ScoreList[0].Name, "a\xA6"
                                 "b," +
                                     BestSeparator.substr(1) + "c"); // "|" reads back as the broken bar
    EXPECT_EQ(LoginName, "us\xA6"
                         "er");
    EXPECT_EQ(LoginPassword, "pa|ss|word");
}

TEST_F(ScoreFile, NegativeFieldsReadAsAbsoluteValuesExceptScoreAndTime) {
    test::WriteBytes("nuscores.dat", Scramble("|", LoginKey) + "\r\n" +
                                         Scramble("-5|N|-1|-9|-2|-3|-4|-1" + BestSeparator + "-7|x", "") +
                                         "\r\n");
    LoadScores();
    ASSERT_EQ(ScoreList.size(), 1u);
    const Scores& r = ScoreList[0];
    EXPECT_EQ(r.Score, -5);
    EXPECT_EQ(r.Timestamp, -9);
    EXPECT_EQ(r.Badges, 1);
    EXPECT_EQ(r.Level, 2);
    EXPECT_EQ(r.GameMode, 3);
    EXPECT_EQ(r.GameFlags, 4);
    EXPECT_EQ(r.Quit, 1);
    EXPECT_EQ(r.Best[1], 7);
    EXPECT_EQ(r.Best[2], 0);
    EXPECT_EQ(r.Best[30], 0);
}

TEST_F(ScoreFile, FailedSaveKeepsTheOldFileAndLogs) {
    OpenLog();
    test::WriteBytes("nuscores.dat", "OLD\r\n");
    test::MakeFolder("nuscores.dat.tmp");
    AddScore(Record(1, 1, "x"));
    SaveScores();
    CloseLog();
    EXPECT_EQ(test::ReadBytes("nuscores.dat"), "OLD\r\n");
    EXPECT_EQ(ReadTextLines("Debug.txt")->front(), "\tnuscores.dat could not be written");
}

} // namespace
} // namespace glimmet
