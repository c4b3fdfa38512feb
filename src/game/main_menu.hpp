#pragma once

#include "app/geometry.hpp"

namespace game {

// Hit box of menu item 1..7 (top to bottom).
app::HitBox menuItemBox(int item);

// The item under the pointer, 0 if none.
int menuItemAt(int x, int y);

// Draws the whole menu into Assets.screen and leaves the canvas as the drawing target.
void composeMainMenu();

// The menu loop; returns when "Wyjście z gry" is chosen.
void mainMenu();

} // namespace game
