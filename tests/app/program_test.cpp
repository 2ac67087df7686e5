#include <gtest/gtest.h>

#include <algorithm>

#include "app/debug_log.h"
#include "app/program.h"
#include "online/http_client.h"
#include "platform/clock.h"
#include "platform/draw_log.h"
#include "platform/files.h"
#include "platform/input.h"
#include "platform/input_script.h"
#include "platform/keys.h"
#include "platform/process.h"
#include "scores/score_file.h"
#include "scores/scramble.h"
#include "support/screen.h"
#include "support/temp_dir.h"

namespace glimmet {
namespace {

using test::ReadBytes;

class Program : public testing::Test {
  protected:
    void SetUp() override {
        test::MakeFolder("Files/291");
        SkipRasterising(true); // the engine test draws millions of sprites
    }
    void TearDown() override {
        FilesFolder.clear();
        SkipRasterising(false);
        CloseLog();
        InitializeScores();
    }
    std::vector<std::string> Log() { return *ReadTextLines(dir.path() + "/Files/Debug.txt"); }

    test::TempDir dir;
};

TEST_F(Program, GameTitleAndFolder) {
    EXPECT_EQ(BuildGameTitle(), "#291 : Flonder's Glimmet");
    EXPECT_EQ(GameFolderName(), "291/");
}

TEST_F(Program, FirstRunLogsAndWritesItsFiles) {
    int start = Millis();
    EXPECT_EQ(test::RunProgramToEnd(), 0);
    EXPECT_GE(Millis() - start, 2500); // the loading floor
    EXPECT_EQ(HttpOpenCount, 0) << "with the online page off, no connection is ever made";
    EXPECT_EQ(CurrentDir(), dir.path() + "/Files/291");
    const std::vector<std::string> head = {"Marrowind's Tindervale Engine",
                                           "----------------------------",
                                           "Week #291",
                                           "----------------------------",
                                           "#291 : Flonder's Glimmet",
                                           "----------------------------",
                                           "",
                                           "Loading",
                                           "Setting Audio Driver",
                                           "Set Audio Driver",
                                           "",
                                           "\tRequested Resolution : 800x600",
                                           "\tSetup Loaded",
                                           "",
                                           "Grabbing Previous Scores",
                                           ""};
    std::vector<std::string> log = Log();
    ASSERT_GE(log.size(), head.size());
    EXPECT_EQ(std::vector<std::string>(log.begin(), log.begin() + static_cast<long>(head.size())), head);
    const std::vector<std::string> tail = {"Finished Loading",  "Closing Up", "", "Bye!", "",
                                           "Play again, soon!!"};
    EXPECT_EQ(std::vector<std::string>(log.end() - static_cast<long>(tail.size()), log.end()), tail);
    EXPECT_TRUE(FileExists(dir.path() + "/Files/Setup.ini"));
    EXPECT_TRUE(FileExists(dir.path() + "/Files/291/nuscores.dat"));
    EXPECT_EQ(ReadBytes(dir.path() + "/Files/Debug.txt").substr(0, 31), "Marrowind's Tindervale Engine\r\n");
}

TEST_F(Program, SecondRunKeepsSettingsAndScoresAndReplacesTheLog) {
    ChangeDir("Files");
    test::WriteBytes("Setup.ini", "Width=1024\r\nHeight=768\r\nKey=0,87\r\n");
    ChangeDir("..");
    test::RunProgramToEnd();
    ChangeDir(dir.path());
    std::vector<std::string> first = Log();
    test::RunProgramToEnd();
    ChangeDir(dir.path());
    EXPECT_EQ(Log(), first);
    auto setup = *ReadTextLines("Files/Setup.ini");
    EXPECT_NE(std::find(setup.begin(), setup.end(), "Key=0,87"), setup.end());
    EXPECT_NE(std::find(setup.begin(), setup.end(), "Width=1024"), setup.end());
}

TEST_F(Program, ScoresSurviveARun) {
    ChangeDir("Files/291");
    BuildDefaultKey();
    ScoreList = {Scores{}};
    ScoreList[0].Name = "Kept";
    ScoreList[0].Score = 4242;
    SaveScores();
    ScoreList.clear();
    ChangeDir(dir.path());
    test::RunProgramToEnd();
    ScoreList.clear();
    LoadScores(); // still in the game folder
    ASSERT_EQ(ScoreList.size(), 1u);
    EXPECT_EQ(ScoreList[0].Score, 4242);
}

// crash.dat catches a process that dies while the display opens; a window closed at that time is a
// quit, so the next start keeps OpenGL. A marker that a killed run left behind still switches it.
TEST_F(Program, AQuitWhileLoadingIsNotACrash) {
    RequestClose(AtOnce()); // seen by the first frame of the engine test
    EXPECT_EQ(test::UntilProcessEnd(RunProgram), 0);
    ResetInput();
    ChangeDir(dir.path());
    std::vector<std::string> log = Log();
    EXPECT_EQ(std::find(log.begin(), log.end(), "Finished Loading"), log.end()) << "ended during loading";
    EXPECT_FALSE(FileExists("Files/291/crash.dat"));
    test::RunProgramToEnd();
    ChangeDir(dir.path());
    log = Log();
    EXPECT_NE(std::find(log.begin(), log.end(), "\tUsing OpenGL Driver"), log.end());

    test::WriteBytes("Files/291/crash.dat", ""); // what a killed run leaves
    test::RunProgramToEnd();
    ChangeDir(dir.path());
    log = Log();
    EXPECT_NE(std::find(log.begin(), log.end(), "\tUsing DirectX 9 Driver"), log.end());
    EXPECT_FALSE(FileExists("Files/291/crash.dat"));
}

TEST_F(Program, RunsWithoutALogOrFolders) {
    test::MakeFolder("Files/Debug.txt"); // the log cannot be created
    EXPECT_EQ(test::RunProgramToEnd(), 0);
    ChangeDir(dir.path());
    EXPECT_TRUE(FileExists("Files/Setup.ini"));

    test::TempDir bare; // no Files/ at all: everything stays in the start folder's reach
    EXPECT_EQ(test::RunProgramToEnd(), 0);
    EXPECT_EQ(CurrentDir(), bare.path());
    EXPECT_TRUE(FileExists("Debug.txt"));
    EXPECT_TRUE(FileExists("nuscores.dat"));
    EXPECT_TRUE(FileExists("Setup.ini")); // written where it is read, not one folder up
    FilesFolder.clear();
}

// A player's visit from start to end: loading, the title screen (held 3: the about page), the hiscore
// page with the 30 records a previous run saved, Escape, the farewell screen, a key.
TEST_F(Program, APlayerVisitsTheAboutAndHiscorePagesAndLeaves) {
    ChangeDir("Files/291");
    BuildDefaultKey();
    for (int i = 1; i <= 30; i++) {
        Scores r;
        r.Score = 1000 + i;
        r.Timestamp = i;
        r.Name = "Racer" + std::to_string(i);
        ScoreList.push_back(r);
    }
    SortScores();
    SaveScores();
    InitializeScores();
    ChangeDir(dir.path());
    int start = Millis();
    PressKey(KeyDigit3, AtOnce()); // held through the loading: the title opens on the about page
    ReleaseKey(KeyDigit3, AtTime(start + 20000));
    PressKey(KeyDigit1, AtTime(start + 20500));
    ReleaseKey(KeyDigit1, AtTime(start + 20800));
    PressKey(KeyEscape, AtTime(start + 22000));
    ReleaseKey(KeyEscape, AtTime(start + 22100));
    PressKey(KeySpace, AtTime(start + 26000));
    RecordTextDraws();
    EXPECT_EQ(test::UntilProcessEnd(RunProgram), 0);
    std::vector<std::string> texts = DrawnTexts();
    RecordDraws(false);
    ResetInput();
    auto drawn = [&](const std::string& text) {
        return std::find(texts.begin(), texts.end(), text) != texts.end();
    };
    EXPECT_GE(Millis() - start, 26000) << "the farewell screen waited for the key";
    EXPECT_TRUE(drawn("Don't touch the Spikey things!"));
    EXPECT_TRUE(drawn("Hiscores"));
    EXPECT_TRUE(drawn("Racer30"));
    EXPECT_TRUE(drawn("000000001006")) << "the 25th best";
    EXPECT_FALSE(drawn("000000001005")) << "below the 25 best";
    EXPECT_TRUE(drawn("Thanks for Playing"));
    std::vector<std::string> log = Log();
    EXPECT_EQ(log.back(), "Play again, soon!!");
}

} // namespace
} // namespace glimmet
