#pragma once

// The player's settings files as the game's root gives them to start-up and the window.
namespace game {

// Reads "opc.txt" (music volume, effects volume, mode) and "zg.txt" (the stored-game
// count). Missing or short files leave the values not read at 0.
void readSettingsFiles();

// Sets app::settingsFiles: "ekran.txt" read before the window opens and stored at every
// switch of full screen, the other files read once the assets are loaded.
void installSettingsFiles();

} // namespace game
