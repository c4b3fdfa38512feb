#pragma once

#include "app/geometry.hpp"

// The button that leads back to the main menu from the list of results, the options, the
// bonus table and the rules: the "Menu" plate at the foot of the page, lit while the
// pointer is on it. The list's lies lower than the other pages'.
namespace app {

struct ReturnButton {
    Point plateAt;
    HitBox hit;
    Rect band; // lit from the composed screen while hovered
};

inline constexpr ReturnButton kPageReturn{{343, 480}, {348, 482, 449, 503}, {347, 482, 103, 22}};
inline constexpr ReturnButton kListReturn{{343, 530}, {348, 532, 449, 553}, {347, 532, 103, 23}};

// Draws the plate onto the current target, as the page is composed.
void drawReturnButton(const ReturnButton& button);

// The button's light, as under the pointer.
void lightReturnButton(const ReturnButton& button);

// Lights the button while the pointer is on it; a click on it plays the menu cue and is
// answered true.
bool serveReturnButton(const ReturnButton& button);

// Enter, Space or Escape, the button's keys: the menu cue plays and the answer is true.
// Any other key waiting is dropped.
bool takeReturnKey();

// Takes the button back from the composed screen, after the frame was presented.
void repairReturnButton(const ReturnButton& button);

} // namespace app
