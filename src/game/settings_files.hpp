#pragma once

// The player's settings files as the game's root gives them to start-up and the window.
namespace game {

// Reads "opc.txt" (music volume, effects volume, mode) and "zg.txt" (the stored-game
// count). Missing or short files leave the values not read at 0.
void readSettingsFiles();

// Reads "ekran.txt" and "jezyk.txt": before the window opens, so that its title and the
// first picture already speak the player's language.
void readEarlySettingsFiles();

// Sets app::settingsFiles: "ekran.txt" and "jezyk.txt" read before the window opens,
// "ekran.txt" stored at every switch of full screen, the other files read once the
// assets are loaded.
void installSettingsFiles();

// For a player's folder this run has just made: the settings the game ships with, in
// memory and in "opc.txt", so that a new player hears the game (both volumes at 0.5, the
// relaxed game; the window, and the desktop's language). Without this a folder with no
// "opc.txt" is silent, as it always was; one that has an "opc.txt" is left alone.
void writeShippedSettings();

} // namespace game
