#pragma once

#include "app/geometry.hpp"

// The keys the screens answer. A key press reaches the screen that shows as the moment it
// arrives in allows (app/press_rules.hpp) and waits there until that screen takes it; a
// screen that leaves forgets what it did not take, so a key meant for it is never read by
// the next one.
namespace app {

// A key going down, or held and repeating: Allegro posts a character for each.
struct KeyPress {
    int keycode = 0;
    int unichar = 0; // the character typed; 0 for arrows and function keys
    bool repeat = false;
};

// From the one queue (app::takeEvents).
void noteKeyDown(int keycode);
void noteKeyUp(int keycode);
void noteKeyChar(int keycode, int unichar, bool repeat);

// The next key press waiting, taken; false when none.
bool takeKeyPress(KeyPress& press);

// Where the pointer stood, in the window's pixels, when the first waiting key that no poll
// has told of yet went down; that key counts as told from then on. False when there is
// none (app::pollInput).
bool tellKeyPointer(Point& pointer);

// The key code of the next key press waiting (a held key repeats), 0 when none; with
// `repeats` false a held key's repeats are skipped.
int takeKey(bool repeats = true);

// Whether a key press waits.
bool keyWaiting();

// Forgets every key press not yet taken.
void forgetKeys();

// Forgets the keys held and waiting (game::resetProcessState).
void resetKeys();

// The keys held now repeat into nothing until they are let go (app::beginWait).
void holdOffKeys();

// Whether a fade was ended by a press since the last look (app::takeFadeEnd).
void noteFadeEnded();
bool takeFadeEnd();

// Whether the player pressed a key or a mouse button that the screen may still take.
bool pressWaiting();

// Enter (either) or Space: what chooses, confirms or picks.
bool isChoiceKey(int key);

} // namespace app
