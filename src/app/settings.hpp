#pragma once

#include "app/language.hpp"

#include <optional>

// The player's settings as the game runs with them. The sound, the transitions and the
// window read them; the options screen changes them; records/options reads and writes
// their files ("opc.txt", "ekran.txt", "jezyk.txt"), which start-up and the window reach
// through SettingsFiles.
namespace app {

// Both volumes are 0.0 until "opc.txt" or the options screen sets them; the options
// screen moves them in steps of 0.01 between kMinVolume and kMaxVolume.
struct SettingsRecord {
    float musicVolume = 0.0f;
    float effectsVolume = 0.0f;
    bool fullScreen = false; // "ekran.txt"; the window until the player chooses otherwise
    // False while "ekran.txt" could not take the last choice.
    bool fullScreenStored = true;
    // The language the player chose ("jezyk.txt"); empty: the desktop's is spoken.
    std::optional<Language> storedLanguage = std::nullopt;
    // A settings file that was there but could not be read (a link, a directory, no
    // permission) is not the player's settings lost: it stays as it is for the whole run,
    // and what is chosen meanwhile holds for this run only.
    bool optionsFileRefused = false;  // "opc.txt"
    bool languageFileRefused = false; // "jezyk.txt"
    bool refusalTold = false;         // the player was told that such a file stays
};
extern SettingsRecord Settings;

// The player's files as start-up and the window need them. Their formats belong to the
// screens that own them (the options, the stored games), above this layer: the game's
// root sets these once, before start-up; one left empty does nothing (a choice it would
// store then counts as not stored).
struct SettingsFiles {
    void (*readScreenChoice)() = nullptr;  // before the window opens: full screen, language
    void (*readOthers)() = nullptr;        // once the assets are loaded
    bool (*storeScreenChoice)() = nullptr; // at every switch of full screen
};
extern SettingsFiles settingsFiles;

inline constexpr float kMinVolume = 0.0f;
inline constexpr float kMaxVolume = 1.5f;

} // namespace app
