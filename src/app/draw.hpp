#pragma once

#include "app/geometry.hpp"

#include <allegro5/allegro.h>

// Small drawing helpers shared by every screen. They draw onto the current target.
namespace app {

// Draws a piece of the element sheet with its top-left corner at `at`.
void drawSheet(Rect piece, Point at);
void drawSheetTinted(Rect piece, Point at, ALLEGRO_COLOR tint);

// Copies a region of the composed screen buffer back to the same place on the
// current target; this is how every screen repairs what it changed.
void restoreFromScreen(Rect region);

// A rounded panel filled with `fill` inside the olive outline every panel wears.
void drawPanel(HitBox box, float radius, ALLEGRO_COLOR fill);

// Draws element sprite `kind` (0..8) of the sheet's first row at (x, y).
void drawElement(int kind, int x, int y);

} // namespace app
