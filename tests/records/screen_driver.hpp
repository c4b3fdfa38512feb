#pragma once

#include "support/allegro_standin.hpp"
#include "support/frame_script.hpp"

#include <stdexcept>
#include <string>
#include <vector>

// Helpers for tests that run a screen or a text entry to its end through the stand-in.
namespace driver {

// A screen that is still running after this many flips is stuck; the script throws, so
// the test fails instead of hanging.
inline constexpr int kGiveUpFlips = 20000;

inline support::FrameScript& giveUpAfter(support::FrameScript& script, int flips = kGiveUpFlips) {
    return script.at(flips, [] { throw std::runtime_error("the screen did not return"); });
}

// One key as the keyboard driver delivers it: key down, the character (with `repeats`
// more while it is held), key up.
struct Key {
    int unichar;
    int repeats = 0;
    int keycode = ALLEGRO_KEY_A;
};

inline Key enter() {
    return {13, 0, ALLEGRO_KEY_ENTER};
}
inline Key escape() {
    return {27, 0, ALLEGRO_KEY_ESCAPE};
}
inline Key backspace() {
    return {8, 0, ALLEGRO_KEY_BACKSPACE};
}

// Keys for every byte of an ASCII text.
inline std::vector<Key> typed(const std::string& text) {
    std::vector<Key> keys;
    for (unsigned char c : text) {
        keys.push_back({c});
    }
    return keys;
}

inline std::vector<Key> operator+(std::vector<Key> a, const std::vector<Key>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

inline void press(const std::vector<Key>& keys) {
    for (const Key& k : keys) {
        standin::pressKey(k.keycode, k.unichar, k.repeats);
    }
}

} // namespace driver
