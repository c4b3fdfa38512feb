#pragma once

#include <allegro5/allegro.h>

// The keys the screens answer besides the text entries' typing. One queue collects every
// key from start-up on, so a key pressed during a fade or an animation waits for the
// screen that comes next; a screen that leaves forgets what it did not take, so a key
// meant for it is never read by the next one.
namespace app {

// Opens the queue of keys. Called at start-up.
void watchKeys();

// The queue itself, for the game loop, which keeps the whole event in InputState.event.
ALLEGRO_EVENT_QUEUE* keyQueue();

// The key code of the next key press waiting (a held key repeats), 0 when none; with
// `repeats` false a held key's repeats are skipped.
int takeKey(bool repeats = true);

// The key code of `event` when it is a key press (a held key repeats), otherwise 0.
int pressedKey(const ALLEGRO_EVENT& event);

// Forgets every key not yet taken.
void forgetKeys();

// No queue (app::resetProcessState).
void dropKeyQueue();

// Whether the player pressed a key or a mouse button that no screen has read yet; the
// press stays waiting for the screen that reads it.
bool pressWaiting();

// Enter (either) or Space: what chooses, confirms or picks.
bool isChoiceKey(int key);

} // namespace app
