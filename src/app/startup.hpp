#pragma once

namespace app {

// Initialises Allegro, opens the window, loads every asset and reads the settings.
// A missing asset or a window that cannot open ends the program with one line on
// stderr and exit code 1; no sound device only makes the game silent.
void startUp();

// Shows the title picture with its sound, then fades it out.
void titleSequence();

// Releases the window and the work bitmaps.
void shutDown();

} // namespace app
