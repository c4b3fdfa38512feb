#pragma once

namespace records {

// The player's settings. Both volumes are 0.0 until "opc.txt" or the options screen
// sets them; the options screen moves them in steps of 0.01 between these bounds.
struct OptionsRecord {
    float musicVolume = 0.0f;
    float effectsVolume = 0.0f;
};
extern OptionsRecord Options;

inline constexpr float kMinVolume = 0.0f;
inline constexpr float kMaxVolume = 1.5f;

} // namespace records
