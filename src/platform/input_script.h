#pragma once
// Scripted input for tests: events queued for a frame number (the present count) or a clock reading,
// and delivered as real SDL events (keys, text, mouse, window close) or as changes of an SDL virtual
// joystick whenever the program reads input. It reads like the test's intent:
//
//     PressKey(KeyZ, AtFrame(3));     // Z goes down once the third frame has been presented
//     ReleaseKey(KeyZ, AtFrame(10));
//     TypeText("Bob", AtTime(5000));
//
// An event is due once the present count reaches its frame, or the clock its time. Events that fall
// due at the same reading are delivered in their order of due frames, then due times, and in the order
// they were queued among equals. Key codes are virtual-key codes, mouse positions drawing-area
// coordinates, joystick ports the platform's numbers (0 = first joystick).

#include <string>

namespace glimmet {

struct When {
    bool byFrame = true;
    long at = 0;
};

When AtFrame(long frame);
When AtTime(int ms);
When AtOnce(); // due at the next read of the input

bool PressKey(int code, When when); // false when the code has no key
bool ReleaseKey(int code, When when);
void TypeChar(int code, When when);                // any character code, sent as UTF-8 text input
void TypeText(const std::string& text, When when); // one character per byte (Latin-1)
void MoveMouseTo(float x, float y, When when);
void PressMouse(int button, When when); // 1 left, 2 right, 3 middle
void ReleaseMouse(int button, When when);
void RequestClose(When when); // the window's close button

// Virtual joysticks: six axes (X, Y, Z, U, V, R), the given number of buttons and, when hasHat, one
// hat. Returns the stick's port, or -1 when SDL refuses. Axes start at 0, the hat centred.
int AttachTestJoystick(const std::string& name, int buttons, bool hasHat);
void SetJoyAxis(int port, int axis, float value, When when); // value -1..1
void SetJoyHat(int port, float turn, When when);             // -1 centred, else 0, 0.125, ... 0.875
void PressJoyButton(int port, int button, When when);
void ReleaseJoyButton(int port, int button, When when);
void DetachTestJoysticks();

int PendingScriptEvents(); // queued and not yet delivered
void ClearScript();        // drops every queued event

// Used by the input layer before it reads SDL's queue: whether anything was queued since the last
// delivery, and the delivery of every event that is due.
bool ScriptQueuedSinceDelivery();
void DeliverDueScriptEvents();

} // namespace glimmet
