#pragma once

namespace game {

// Runs the screen behind main-menu item 1..6 as a nested call, then takes the way back
// to the menu the screens share.
void runMenuItem(int item);

// The way back from a screen the menu opened: the screen fades out, the menu is
// composed again and fades in.
void returnToMenu();

} // namespace game
