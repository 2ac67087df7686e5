// The title screen's online page, switched on for these tests only, driven by scripted keys, typing
// and mouse on the virtual clock and read back from the draw log: the login form and its focus, the
// blinking cursors, the failure messages, and a login against a score server thread on loopback that
// fills the message of the day and fetches the online table.
#include "app/online_page.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/title_screen.h"
#include "audio/sound_effects.h"
#include "base/state.h"
#include "display/frame.h"
#include "display/graphics_mode.h"
#include "display/toolkit.h"
#include "input/settings_panel.h"
#include "online/http_client.h"
#include "online/score_protocol.h"
#include "platform/audio.h"
#include "platform/draw_log.h"
#include "platform/input_script.h"
#include "platform/keys.h"
#include "scores/hiscore_tables.h"
#include "scores/score_file.h"
#include "support/loopback.h"
#include "support/online.h"
#include "support/screen.h"
#include "support/wav.h"

namespace glimmet {
namespace {

using namespace test;

class OnlinePage : public testing::Test {
  protected:
    void SetUp() override {
        Setting[SettingWidth] = 800;
        Setting[SettingHeight] = 600;
        run.OpenScreen();
        WriteBytes("098.wav", Wav(22050, 1, 16, 2000));
        WriteBytes("099.wav", Wav(22050, 1, 16, 2000));
        SfxSound[98] = LoadSound("098.wav");
        SfxSound[99] = LoadSound("099.wav");
        ResetOnlineState();
        ScoreServerHost = "127.0.0.1:1"; // nothing listens there unless a test starts a server
        OnlinePageOffered = 1;
        RecordDraws(true);
    }
    void TearDown() override {
        RecordDraws(false);
        InitializeTitleScreen();
        InitializeOnlinePage();
        ResetOnlineState();
    }

    // The panel at rest (from frame 32 on) and the places on it the tests click.
    static int PanelX() { return ScreenW - (DisplayW >= 900 ? 335 : 415) - 5; }
    // The pointer goes there a frame ahead: the page sees where it is from the frame after a move.
    static void ClickAt(float x, float y, long from, long to) {
        MoveMouseTo(x, y, AtFrame(FrameMark() + from - 1));
        PressMouse(1, AtFrame(FrameMark() + from));
        ReleaseMouse(1, AtFrame(FrameMark() + to));
    }
    static void ClickUserField(long frame) {
        ClickAt(static_cast<float>(PanelX() + 60), static_cast<float>(ScreenH - 105), frame, frame + 1);
    }
    static void ClickLogin(long from, long to) {
        ClickAt(static_cast<float>(PanelX() + 100), static_cast<float>(ScreenH - 15), from, to);
    }
    static void Type(const std::string& text, long frame) { TypeText(text, AtFrame(FrameMark() + frame)); }

    // Shows the online page from frame 2 on and runs until Escape is seen at the end of frame `frame`.
    static void RunOnPageUntil(long frame) {
        Hold(KeyDigit2, 2, 4);
        PressKey(KeyEscape, AtFrame(FrameMark() + frame));
        TitleScreen();
    }

    // The texts of each frame drawn: a frame starts with its screen clear.
    static std::vector<std::vector<std::string>> TextsByFrame() {
        std::vector<std::vector<std::string>> frames;
        for (const DrawRecord& d : DrawLog) {
            if (d.kind == DrawKind::Clear) frames.emplace_back();
            if (d.kind == DrawKind::Text && !frames.empty()) frames.back().push_back(d.text);
        }
        return frames;
    }
    // Frames that start the slide-in: the first one, and one after each game.
    static int SlideStarts() {
        int starts = 0;
        for (const DrawRecord& d : DrawsOfKind(DrawKind::Rect))
            if (d.y == 5 && d.h == static_cast<float>(ScreenH - 10) &&
                d.x == static_cast<float>(PanelX() + 775))
                starts++;
        return starts;
    }
    static int CountIn(const std::vector<std::string>& texts, const std::string& text) {
        return static_cast<int>(std::count(texts.begin(), texts.end(), text));
    }

    ScreenRun run;
};

TEST_F(OnlinePage, ShowsTheFormWithHintsAndCursorsThatBlinkInTurn) {
    LoginName = "flon";
    LoginPassword = "pw";
    RunOnPageUntil(60);
    for (const char* text : {"2.Online", "Online", "If you're new..", "Use a new name,",
                             "and you'll be registered.", "If you're returning..", "Simply log back in.",
                             "Use a password that's", "easy to remember!!", "Username", "Password", "Login"})
        EXPECT_TRUE(TextDrawn(text)) << text;
    EXPECT_FALSE(TextDrawn("Refresh Scores"));
    EXPECT_EQ(BackTintTarget, (std::array<float, 3>{0.0f, 1.0f, 0.2f}));
    const DrawRecord* hint = FindTextDraw("If you're new..");
    ASSERT_NE(hint, nullptr);
    EXPECT_EQ(hint->y, ScreenH - 542);
    EXPECT_EQ(FindTextDraw("easy to remember!!")->y, ScreenH - 542 + 240);
    const DrawRecord* login = FindTextDraw("Login");
    EXPECT_EQ(login->y, ScreenH - 30);
    EXPECT_EQ((std::vector<int>{login->r, login->g, login->b}), (std::vector<int>{255, 180, 0}));
    // No field has the focus: on every frame exactly one of the two cursors shows, and over the run
    // each one does.
    int userCursor = 0, passwordCursor = 0;
    std::vector<std::vector<std::string>> frames = TextsByFrame();
    for (size_t f = 5; f < frames.size(); f++) {
        int user = CountIn(frames[f], "flon_"), password = CountIn(frames[f], "**_");
        EXPECT_EQ(user + password, 1) << "frame " << f;
        EXPECT_EQ(user + CountIn(frames[f], "flon"), 1) << "frame " << f;
        userCursor += user;
        passwordCursor += password;
    }
    EXPECT_GT(userCursor, 0);
    EXPECT_GT(passwordCursor, 0);
    EXPECT_EQ(HttpOpenCount, 0);
}

// Typing shows which field has the focus: the user-name field is clicked, then Tab, Up, Down and Enter
// move the focus, and each typed letter lands in the field focused at the time.
TEST_F(OnlinePage, TabUpDownAndEnterMoveTheFocusAndTabLeavesTheSettingsPanelShut) {
    LoginName.clear();
    LoginPassword.clear();
    int sounds = NextSfxSlot;
    ClickUserField(36);
    Type("ab", 40);
    Tap(KeyTab, 45);
    Type("cd", 50);
    Tap(KeyArrowUp, 55);
    Type("e", 60);
    Tap(KeyArrowDown, 65);
    Type("f", 70);
    Tap(KeyTab, 75);
    Tap(KeyTab, 80); // Tab twice: back in the password field
    Type("g", 85);
    Tap(KeyReturn, 90);
    Type("h", 95);
    RunOnPageUntil(100);
    EXPECT_EQ(LoginName, "abe");
    EXPECT_EQ(LoginPassword, "cdfg");
    EXPECT_EQ(LoginFocus, 0);
    EXPECT_EQ(SettingsOpen, 0);
    EXPECT_EQ(PanelY, -300) << "the settings panel never moved";
    EXPECT_EQ(NextSfxSlot - sounds, 1 + 7) << "the page sound, and one sound per focus change";
    EXPECT_TRUE(TextDrawn("****_")) << "the password shown as stars with the cursor";
    EXPECT_EQ(SlideStarts(), 1) << "the Enter that left the field started no game";
}

TEST_F(OnlinePage, AClickOutsideAFocusedFieldTakesTheFocusAway) {
    ClickUserField(36);
    ClickAt(100, 100, 42, 43);
    Type("x", 48);
    RunOnPageUntil(52);
    EXPECT_EQ(LoginFocus, 0);
    EXPECT_EQ(LoginName, "flonder");
}

// A failed login says why: the two short-credential checks send nothing; the server's refusal does.
TEST_F(OnlinePage, AFailedLoginShowsWhy) {
    struct Case {
        const char* name;
        const char* password;
        const char* message;
        int sockets;
    };
    const Case cases[] = {{"abc", "secret", "USERNAME TOO SHORT", 0},
                          {"flonder", "pwd", "PASSWORD TOO SHORT", 0},
                          {"flonder", "secret", "WRONG PASSWORD", 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        LoopbackServer server([](const std::string&) { return Reply("WRONG PASSWORD"); });
        ScoreServerHost = server.host();
        InitializeHttp();
        InitializeOnlinePage();
        InitializeTitleScreen();
        OnlinePageOffered = 1;
        ClearDrawLog();
        ReleaseKey(KeyEscape, AtOnce()); // still held from the last case
        LoginName = c.name;
        LoginPassword = c.password;
        run.StartFrames();
        ClickLogin(36, 37);
        RunOnPageUntil(42);
        EXPECT_EQ(LoginFailed, 1);
        EXPECT_EQ(LoggedIn, 0);
        const DrawRecord* message = FindTextDraw(c.message);
        ASSERT_NE(message, nullptr);
        EXPECT_EQ((std::vector<int>{message->r, message->g, message->b}), (std::vector<int>{255, 0, 0}));
        EXPECT_EQ(message->y, ScreenH - 542 + 300);
        EXPECT_EQ(static_cast<int>(server.requests().size()), HttpOpenCount);
        EXPECT_EQ(HttpOpenCount > 0 ? 1 : 0, c.sockets);
    }
}

// A login against the server thread: the message of the day, the table fetched at once with one
// upload of the best local score, drawn as the online table; a refresh fetches it again.
TEST_F(OnlinePage, ALoginFillsTheMessageOfTheDayAndFetchesTheTable) {
    LoopbackServer server([](const std::string& request) {
        const std::string line = RequestLine(request);
        if (line.find("/tallix/login.php?week=291&input=") != std::string::npos)
            return Reply("Welcome!|Hello, Flonder\n  Second line  \n");
        if (line.find("/tallix/tables/291/0.txt") != std::string::npos)
            return Reply("4321|Zed|0|1700000000|0|0|0|0\n" + std::string("1|2|3") + "\n" +
                         "1234|Amy|0|1700000001|0|0|0|0\n0\n");
        return Reply("OK");
    });
    ScoreServerHost = server.host();
    ScoreList.push_back(ScoreRecord(500, 1000));
    ClickLogin(36, 40);
    ClickAt(static_cast<float>(PanelX() + 100), 140, 50, 53); // "Refresh Scores"
    RunOnPageUntil(60);
    EXPECT_EQ(LoggedIn, 1);
    EXPECT_EQ(LoginFailed, 0);
    EXPECT_EQ(RefreshState, 0);
    EXPECT_EQ(UploadCount, 0);
    ASSERT_EQ(MotdCount, 2);
    EXPECT_EQ(MotdLines[1], "Hello, Flonder");
    EXPECT_EQ(MotdLines[2], "Second line");
    EXPECT_TRUE(TextDrawn("Hello, Flonder"));
    EXPECT_TRUE(TextDrawn("Refresh Scores"));
    EXPECT_EQ(FindTextDraw("Second line")->y, 190);
    EXPECT_EQ(FindTextDraw("Second line")->r, 180);
    // The rows, stored as online rows of table 0, ranked and drawn by the online table.
    ASSERT_EQ(OnlineList.size(), 2u);
    for (const Scores& row : OnlineList) EXPECT_EQ(row.GameMode, -1);
    EXPECT_TRUE(TextDrawn("Zed"));
    EXPECT_TRUE(TextDrawn("000000004321"));
    EXPECT_TRUE(TextDrawn("000000001234"));
    // One login (the button held over four frames stops sending once logged in), then per refresh one
    // table and one upload, as the table holds fewer than 30 rows.
    std::vector<std::string> lines;
    for (const std::string& request : server.requests()) lines.push_back(RequestLine(request).substr(0, 24));
    EXPECT_EQ(lines, (std::vector<std::string>{"GET /tallix/login.php?we", "GET /tallix/tables/291/0",
                                               "GET /tallix/scores.php?W", "GET /tallix/tables/291/0",
                                               "GET /tallix/scores.php?W"}));
}

// The page is dormant in this program: keys 2 and F2 and a click on the label's place do nothing, and
// no socket is ever opened.
TEST(OnlinePageDormant, NoLabelNoPageNoSocket) {
    ScreenRun run;
    Setting[SettingWidth] = 800;
    Setting[SettingHeight] = 600;
    run.OpenScreen();
    ASSERT_EQ(OnlinePageOffered, 0);
    RecordDraws(true);
    Hold(KeyDigit2, 3, 10);
    Hold(KeyF2, 14, 20);
    const float labelX = static_cast<float>(ScreenW - 420 + 415 / 2);
    MoveMouseTo(labelX, 20, AtFrame(FrameMark() + 40));
    PressMouse(1, AtFrame(FrameMark() + 40));
    ReleaseMouse(1, AtFrame(FrameMark() + 42));
    MoveMouseTo(static_cast<float>(ScreenW - 320), static_cast<float>(ScreenH - 15),
                AtFrame(FrameMark() + 45));
    PressMouse(1, AtFrame(FrameMark() + 45));
    ReleaseMouse(1, AtFrame(FrameMark() + 50));
    TypeText("flonder", AtFrame(FrameMark() + 52));
    PressKey(KeyEscape, AtFrame(FrameMark() + 80));
    TitleScreen();
    EXPECT_EQ(HttpOpenCount, 0);
    EXPECT_FALSE(TextDrawn("2.Online"));
    EXPECT_FALSE(TextDrawn("Online"));
    EXPECT_FALSE(TextDrawn("Username"));
    EXPECT_TRUE(TextDrawn("Hiscores"));
    EXPECT_EQ(LoginFocus, 0);
    EXPECT_EQ(LoggedIn, 0);
    RecordDraws(false);
}

} // namespace
} // namespace glimmet
