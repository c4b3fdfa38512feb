#pragma once

namespace app {

// Initialises Allegro, opens the window, loads every asset and reads the settings.
// A missing asset or a window that cannot open ends the program with one line on
// stderr and exit code 1; no sound device only makes the game silent.
void startUp();

// Loads the art set and the fonts for the picture's scale: the fonts at their size times
// the scale, so text is drawn at the size it is shown, the art from the set nearest above
// it with the filtering it needs there; what was loaded for another scale is released.
// Called by startUp, on every change of scale and when the game changes its language (the
// words painted into the art are the language's own).
void loadScaledAssets();

// Shows the title picture with its sound, then fades it out.
void titleSequence();

// Releases the window and the work bitmaps.
void shutDown();

} // namespace app
