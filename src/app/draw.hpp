#pragma once

#include "app/geometry.hpp"

#include <allegro5/allegro.h>
#include <allegro5/allegro_font.h>

#include <functional>

// Small drawing helpers shared by every screen. They draw onto the current target.
namespace app {

// Art (Assets.background, planets, sheet, title) by its 1x rectangles and positions in
// picture units, whichever art set is loaded; the position snaps to a whole pixel of the
// target so edges do not shimmer. `flags` as al_draw_bitmap's.
void drawArt(ALLEGRO_BITMAP* art, Rect piece, Point at, int flags = 0);
void drawArtTinted(ALLEGRO_BITMAP* art, ALLEGRO_COLOR tint, Rect piece, Point at);
void drawArtWhole(ALLEGRO_BITMAP* art, Point at, int flags = 0);
void drawArtWholeTinted(ALLEGRO_BITMAP* art, ALLEGRO_COLOR tint, Point at);
// A piece stretched to w x h.
void drawArtScaled(ALLEGRO_BITMAP* art, Rect piece, float x, float y, float w, float h);

// Draws a piece of the element sheet with its top-left corner at `at`.
void drawSheet(Rect piece, Point at);
void drawSheetTinted(Rect piece, Point at, ALLEGRO_COLOR tint);

// Copies a region of the composed screen buffer back to the same place on the
// current target; this is how every screen repairs what it changed.
void restoreFromScreen(Rect region);

// Copies `region` (picture units) of a work bitmap (canvas, screen, scratch, strip) to `at`
// on the current target, tinted. Both have the picture's scale: the copy is made in their
// own pixels, over the region rounded outwards, so a repair leaves no seam at any scale.
void copyRegion(ALLEGRO_BITMAP* from, Rect region, Point at);
void copyRegionTinted(ALLEGRO_BITMAP* from, ALLEGRO_COLOR tint, Rect region, Point at);

// The composed screen buffer, whole, onto the canvas, which is left the target.
void showScreenBuffer();

// A whole 800 x 600 work bitmap onto the current target, tinted.
void copyWhole(ALLEGRO_BITMAP* from);
void copyWholeTinted(ALLEGRO_BITMAP* from, ALLEGRO_COLOR tint);

// Text as al_draw_text and al_draw_textf draw it, at (x, y) in picture units: the fonts
// have the size the text is shown at, so it is drawn in the target's own pixels at the
// pixel nearest (x, y) scaled, never resampled.
void drawText(const ALLEGRO_FONT* font, ALLEGRO_COLOR colour, float x, float y, int flags,
              const char* text);
[[gnu::format(printf, 6, 7)]] void drawTextf(const ALLEGRO_FONT* font, ALLEGRO_COLOR colour,
                                             float x, float y, int flags, const char* format, ...);

// A glow a screen lays over something every pass without erasing it (a lit button, a
// pulsing star) builds up: each pass keeps (1 - alpha) of what lay beneath. After
// settlingPasses(alpha) passes less than half an 8-bit step of the picture beneath is left,
// so the glow looks as it does however long it then stays.
int settlingPasses(float alpha);
// Lays `layer`, one tinted copy of alpha `alpha`, as many times as settle it: the look the
// pointer resting on the thing builds up, shown at once and the same at every pass.
void laySettled(float alpha, const std::function<void()>& layer);

// A rounded panel filled with `fill` inside the olive outline every panel wears.
void drawPanel(HitBox box, float radius, ALLEGRO_COLOR fill);

// Draws element sprite `kind` (0..8) of the sheet's first row at (x, y).
void drawElement(int kind, int x, int y);

} // namespace app
