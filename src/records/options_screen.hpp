#pragma once

#include "files/player_files.hpp"

#include <string>

namespace records {

// The options screen: both volume sliders with the music playing, the game mode, the
// deletion of the current mode's list, and full screen (switched at once). Leaving it
// stores "opc.txt" and "ekran.txt".
void optionsScreen();

// Whether the list file of the current mode is there to be read (and deleted), gone, or
// something the game refuses to read (a directory, a link).
files::FileRead listFile();

// Deletes the current mode's list file and empties the list in memory.
void clearList();

} // namespace records
