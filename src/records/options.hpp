#pragma once

#include <string>

// The player's settings and their file, "opc.txt": music volume, effects volume and the
// game mode (GameState.mode), one per line.
namespace records {

// Both volumes are 0.0 until "opc.txt" or the options screen sets them; the options
// screen moves them in steps of 0.01 between these bounds.
struct OptionsRecord {
    float musicVolume = 0.0f;
    float effectsVolume = 0.0f;
};
extern OptionsRecord Options;

inline constexpr float kMinVolume = 0.0f;
inline constexpr float kMaxVolume = 1.5f;

// Reads "opc.txt" into Options and GameState.mode. Reading stops at the first value that
// is not a number (or a number too large for its type): it and the later values keep
// what they held. A hand-edited volume is brought into 0.00..1.50, and a mode other than
// 1 is the relaxed game.
void readOptionsFile();

// The text of "opc.txt".
std::string optionsFileText();

// Replaces "opc.txt" with the current settings; false when it could not be written.
bool writeOptionsFile();

} // namespace records
