#pragma once
// Keyboard, mouse and window-close input, polled.
//
// Keys are named by Windows virtual-key codes (1..255), the numbers the setup file stores: letters
// 65..90, digits 48..57, arrows 37..40, F1..F12 112..123, number pad 96..111, left/right Shift,
// Control and Alt 160..165, punctuation 186..226. Mouse buttons are 1 left, 2 right, 3 middle and are
// not keys: KeyDown(1..3) is always false.
//
// When events are read: every query below first reads what is waiting (scripted test events that are
// due, then SDL's queue). To keep a query cheap in tight loops the queue is read again only when the
// clock reading or the present count has changed since the last read, or a scripted event has been
// queued since. A wait loop that sleeps between its tests therefore always sees new input, also when
// it presents no frame. PollInput() reads the queue unconditionally.
//
// The state is kept from the events themselves (SDL's own keyboard state does not see events that a
// test pushes): a key is held from its press to its release; a hit is a press (auto-repeat excluded)
// not yet reported.

#include <string>

namespace glimmet {

void PollInput(); // reads every waiting event now
void PumpInput(); // reads waiting events when anything may have changed (what every query does)

bool KeyDown(int code); // held now
int KeyHit(int code);   // presses since the last KeyHit of this key (or flush); resets the count
void FlushKeys();       // forgets key and mouse hits and typed characters; held state stays
int TypedChar();        // the next typed character (32..255, '?' for codes above 255), 0 when none

bool MouseDown(int button); // 1 left, 2 right, 3 middle
int MouseHit(int button);   // presses since last asked, like KeyHit
float MouseX();             // pointer position in the drawing area
float MouseY();
int MouseWindowX(); // pointer position in window pixels
int MouseWindowY();
void MoveMouse(float x, float y); // moves the pointer to a point of the drawing area
void ShowPointer(bool show);      // the system mouse pointer
bool PointerShown();

// A request to close the window (window close button, SDL_QUIT, SIGTERM/SIGINT). It stays set once
// made: the program is expected to end.
bool CloseRequested();

// Forgets all input state, the close request, queued scripted events and test joysticks; used
// between tests.
void ResetInput();

// The key table: SDL scancode <-> virtual-key code (0 when the key has no code).
int VirtualKeyOfScancode(int scancode);
int ScancodeOfVirtualKey(int code);

} // namespace glimmet
