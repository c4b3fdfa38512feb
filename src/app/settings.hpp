#pragma once

// The player's settings as the game runs with them. The sound, the transitions and the
// window read them; the options screen changes them; records/options reads and writes
// their files ("opc.txt", "ekran.txt").
namespace app {

// Both volumes are 0.0 until "opc.txt" or the options screen sets them; the options
// screen moves them in steps of 0.01 between kMinVolume and kMaxVolume.
struct SettingsRecord {
    float musicVolume = 0.0f;
    float effectsVolume = 0.0f;
    bool fullScreen = false; // "ekran.txt"; the window until the player chooses otherwise
    // False while "ekran.txt" could not take the last choice.
    bool fullScreenStored = true;
};
extern SettingsRecord Settings;

inline constexpr float kMinVolume = 0.0f;
inline constexpr float kMaxVolume = 1.5f;

} // namespace app
