#include "app/online_page.h"

#include <string>

#include "app/title_screen.h"
#include "audio/sound_effects.h"
#include "base/state.h"
#include "display/graphics_mode.h"
#include "display/toolkit.h"
#include "online/score_protocol.h"
#include "platform/clock.h"
#include "platform/input.h"
#include "platform/keys.h"
#include "scores/hiscore_tables.h"
#include "scores/name_entry.h"
#include "scores/score_file.h"

namespace glimmet {

int LoggedIn = 0;
int LoginFailed = 0;
int RefreshState = 0;
int LastFocus = 0;

void InitializeOnlinePage() {
    LoggedIn = 0;
    LoginFailed = 0;
    RefreshState = 0;
    LastFocus = 0;
}

namespace {

constexpr int UserField = 1;
constexpr int PasswordField = 2;

// The "Refresh Scores" button and the message of the day, once logged in.
void DrawLoggedIn(int x, int w) {
    UseFont(1, 4);
    SetCol(255, 255, 255);
    if (MouseOver(x, 120, w, 50)) {
        SetCol(0, 255, 255);
        if (MouseDown(1) && RefreshState == 0) RefreshState = 1;
    }
    DrawTxt(x + w / 2, 120, "Refresh Scores", 1, 0);
    SetCol(180, 180, 180);
    UseFont(1, 2);
    int y = 150;
    for (int k = 1; k <= MotdCount; k++) {
        y += 20;
        if (k < 20 && !MotdLines[static_cast<size_t>(k)].empty())
            DrawTxt(x + 10, y, MotdLines[static_cast<size_t>(k)], 0, 0);
    }
}

const char* FailureMessage() {
    if (LoginName.size() < 4) return "USERNAME TOO SHORT";
    if (LoginPassword.size() < 4) return "PASSWORD TOO SHORT";
    return "WRONG PASSWORD";
}

// The three hints for new and returning players, and why the last login failed.
void DrawHints(int x) {
    struct Hint {
        float r, g, b;
        const char* head;
        const char* lines[2];
    };
    static const Hint Hints[] = {
        {255, 255, 255, "If you're new..", {"Use a new name,", "and you'll be registered."}},
        {255, 255, 180, "If you're returning..", {"Simply log back in.", nullptr}},
        {180, 255, 255, "Use a password that's", {"easy to remember!!", nullptr}},
    };
    UseFont(1, 3);
    int y = ScreenH - 542;
    for (const Hint& hint : Hints) {
        SetCol(hint.r, hint.g, hint.b);
        DrawTxt(x + 10, y, hint.head, 0, 0);
        for (const char* line : hint.lines) {
            if (line == nullptr) continue;
            y += 30;
            DrawTxt(x + 30, y, line, 0, 0);
        }
        y += 60;
    }
    if (LoginFailed == 1) {
        SetCol(255, 0, 0);
        DrawTxt(x + 10, y, FailureMessage(), 0, 0);
    }
}

// Whether a field's cursor shows now: the two fields blink in turn, a focused one faster.
bool CursorShown(int field) {
    const bool focused = LoginFocus == field;
    const int period = focused ? 500 : 750;
    const int threshold = focused ? 250 : 325;
    const bool late = Millis() % period >= threshold;
    return field == UserField ? late : !late;
}

// One field of the form: the mouse gives and takes its focus, and while focused it takes the typing.
void FormField(int field, const char* label, int labelY, int x, std::string& text) {
    UseFont(1, 2);
    SetCol(0, 180, 255);
    DrawTxt(x + 10, labelY, label, 0, 0);
    const int fx = x + 20, fy = labelY + 30;
    const bool over = MouseOver(fx, fy, 200, 30);
    if (MouseDown(1) && over) {
        LoginFocus = field;
        FlushKeys();
    }
    if (LoginFocus == field) {
        text = EditLine(text);
        if (MouseDown(1) && !over) LoginFocus = 0;
    }
    SetCol(255, 255, 0);
    if (LoginFocus == field) SetCol(100, 255, 100);
    if (over) SetCol(100, 255, 255);
    UseFont(1, 3);
    std::string shown = field == UserField ? text : std::string(text.size(), '*');
    if (CursorShown(field)) shown += "_";
    DrawTxt(fx, fy, shown, 0, 0);
}

// The Login button: every frame it is held down sends a login until one succeeds.
void LoginButton(int x) {
    const int y = ScreenH - 30;
    const bool over = MouseOver(x + 50, y, 200, 30);
    SetCol(255, 180, 0);
    if (over) SetCol(0, 255, 255);
    UseFont(1, 3);
    DrawTxt(x + 70, y, "Login", 0, 0);
    if (!over || !MouseDown(1)) return;
    LoginFailed = 1;
    RefreshState = 0;
    if (LoginToServer()) {
        LoggedIn = 1;
        LoginFailed = 0;
        RefreshState = 1; // the table is fetched at once
    }
}

// Enter leaves a field, Tab, Down and Up move between the two. Every one of these hits is taken here,
// before ShowFrame, so that a Tab meant for the form never toggles the settings panel.
void FocusKeys() {
    if (LoginFocus == 0) return;
    const bool enter = KeyHit(KeyReturn) > 0;
    const bool tab = KeyHit(KeyTab) > 0;
    const bool up = KeyHit(KeyArrowUp) > 0;
    const bool down = KeyHit(KeyArrowDown) > 0;
    if (enter)
        LoginFocus = 0;
    else if (LoginFocus == UserField && (down || tab))
        LoginFocus = PasswordField;
    else if (LoginFocus == PasswordField && (up || tab))
        LoginFocus = UserField;
}

void DrawLoginForm(int x) {
    DrawHints(x);
    if (LoginFocus != LastFocus) {
        LastFocus = LoginFocus;
        PlaySfx(99, 1, 1, 0);
    }
    FormField(UserField, "Username", ScreenH - 150, x, LoginName);
    FormField(PasswordField, "Password", ScreenH - 90, x, LoginPassword);
    LoginButton(x);
    FocusKeys();
}

// The download runs on the frame after the refresh was asked for; the next refresh waits until mouse
// button 1 is released, so a held button does not refresh on every frame.
void RefreshSteps() {
    if (RefreshState == 2) {
        DownloadTable();
        RefreshState = 3;
    }
    if (RefreshState == 3 && !MouseDown(1)) {
        RefreshState = 0;
        UploadCount = 0;
    }
}

} // namespace

void OnlinePageBody(int x, int w) {
    if (LoggedIn == 1)
        DrawLoggedIn(x, w);
    else
        DrawLoginForm(x);
    RefreshSteps();
}

void OnlineTableStep(int x, int w, bool pageShown) {
    if (LoggedIn == 1)
        DrawOnlineTable(x, w, -(CurrentMode + 1), CurrentLevel, CurrentFlags, pageShown ? 1 : 0);
}

void OnlineRefreshStart() {
    if (RefreshState != 1) return;
    DropTableRows();
    RefreshState = 2;
}

} // namespace glimmet
