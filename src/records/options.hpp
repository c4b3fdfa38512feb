#pragma once

#include "app/settings.hpp"

#include <string>

// The files of the player's settings (app::Settings): "opc.txt" holds the music volume,
// the effects volume and the game mode (GameState.mode), one per line, exactly as other
// copies of the game read it; "ekran.txt" holds whether the game runs full screen.
namespace records {

// Reads "opc.txt" into app::Settings and GameState.mode. Reading stops at the first value that
// is not a number (or a number too large for its type): it and the later values keep
// what they held. A hand-edited volume is brought into 0.00..1.50, and a mode other than
// 1 is the relaxed game.
void readOptionsFile();

// The text of "opc.txt".
std::string optionsFileText();

// Replaces "opc.txt" with the current settings; false when it could not be written.
bool writeOptionsFile();

// Reads "ekran.txt" into app::Settings.fullScreen: 1 is full screen; anything else (0, a
// missing or unreadable file, a word, another number) is the window.
void readScreenFile();

// The text of "ekran.txt": "1" or "0" and a line end.
std::string screenFileText();

// Replaces "ekran.txt" with app::Settings.fullScreen; false when it could not be written.
bool writeScreenFile();

} // namespace records
