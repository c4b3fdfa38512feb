#pragma once

#include "app/settings.hpp"

#include <string>

// The files of the player's settings (app::Settings): "opc.txt" holds the music volume,
// the effects volume and the game mode (GameState.mode), one per line, exactly as other
// copies of the game read it; "ekran.txt" holds whether the game runs full screen;
// "jezyk.txt" the language the player chose. A file of these that is there but cannot be
// read is never replaced in the same run (app::Settings.optionsFileRefused,
// languageFileRefused): its writes fail.
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

// Reads "jezyk.txt": its code ("pl" or "en", white space around it aside) becomes
// app::Settings.storedLanguage and is spoken from now on. Anything else, or no file,
// leaves the desktop's language as it is spoken.
void readLanguageFile();

// The text of "jezyk.txt": the spoken language's code and a line end.
std::string languageFileText();

// Makes the spoken language the player's choice and replaces "jezyk.txt" with it; false
// when it could not be written. The choice holds for this run either way.
bool writeLanguageFile();

// Reads "ekran.txt" into app::Settings.fullScreen: 1 is full screen; anything else (0, a
// missing or unreadable file, a word, another number) is the window.
void readScreenFile();

// The text of "ekran.txt": "1" or "0" and a line end.
std::string screenFileText();

// Replaces "ekran.txt" with app::Settings.fullScreen; false when it could not be written.
bool writeScreenFile();

} // namespace records
