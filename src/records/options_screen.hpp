#pragma once

#include <string>

namespace records {

// The options screen: both volume sliders with the music playing, the game mode, the
// deletion of the current mode's list, and full screen (switched at once). Leaving it
// stores "opc.txt" and "ekran.txt".
void optionsScreen();

// True when the list file of the current mode can be opened for reading.
bool listFileExists();

// Deletes the current mode's list file and empties the list in memory.
void clearList();

} // namespace records
