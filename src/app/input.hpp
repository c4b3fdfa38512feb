#pragma once

#include "app/geometry.hpp"

// What the screens know of the mouse. The pointer and the buttons are told by the events
// of the one queue (app/events.hpp) as they arrive; a poll hands the screen that runs what
// has arrived since its last poll, as judged by the moment it arrived in
// (app/press_rules.hpp).
namespace app {

// Screens compare `buttons` with == (1 is the left button alone, 2 the right button alone).
struct InputStateRecord {
    int x = 0; // the pointer in the canvas's 800 x 600 pixels, whatever the window's size
    int y = 0;
    int buttons = 0; // held, or pressed and let go since the last poll (a click)
    int hover = 0;   // item under the pointer, numbered by the screen that runs; 0 = none
};
extern InputStateRecord InputState;

inline constexpr int kLeftButton = 1;
inline constexpr int kRightButton = 2;
inline constexpr int kEscape = 27;

// Rest after every interactive frame.
inline constexpr double kFrameRest = 0.001;

// From the one queue (app::takeEvents): the pointer moved to (x, y) in the window's pixels;
// button `button` (1 left, 2 right, ...) went down or up at (x, y).
void notePointer(int x, int y);
void noteButton(int button, bool down, int x, int y);

// Clears the hover, takes the events that have arrived and answers the window's
// (app::answerWindow), then fills InputState: the pointer where it is now, and the
// buttons held; a press the screen has not yet seen counts from where it went down, and
// one already let go (a click quicker than a pass) is reported held once. A key press
// the screen has not yet been told of likewise shows the pointer where it stood when the
// key went down, so the key answers what the player saw then; the pointer's later moves
// come with the next pass, which then follows at once.
void pollInput();

// The pointer as the events have told it so far, in the window's pixels.
Point pointerInWindow();

// Whether a button was pressed that the screen has not yet polled.
bool buttonWaiting();

// Sleeps on the queue until no mouse button is held, answering the window meanwhile; ends
// early when the window's close waits for the game to ask (app::closeWaiting).
void waitForRelease();

// A click made and let go while the board moved, which nobody took: true once, with where
// it went down.
bool takeDroppedClick(int& x, int& y);

// A new wait begins: what was pressed before it is not its. Buttons still held are spent
// until let go, keys still held never repeat into it, presses kept and not taken go.
void beginWait();

// Forgets the pointer, the buttons and the presses (game::resetProcessState).
void forgetInput();

} // namespace app
