#pragma once

#include "app/geometry.hpp"

#include <allegro5/allegro.h>

// The game screen's panel: where each of its pieces lies, and the few operations that draw
// them. The board, the scoring, the stars, the clock, the game loop and the game screen's
// composition (of a new or a resumed game) draw the panel through here, so each piece has
// its place written once. The board's own cells are placed by board::cellPixel.
namespace play {

// Hover numbers of the game screen besides the cells 1..64.
inline constexpr int kHoverHint = 70;
inline constexpr int kHoverMenu = 71;
inline constexpr int kHoverSave = 72;

// The panel's button under (x, y): kHoverHint, kHoverMenu, kHoverSave, or 0.
int panelButtonAt(int x, int y);

// Composes the game screen's fixed pieces onto the current target: the backdrop, the
// board's frame around cell 1 at `firstCell`, the panel, its plates and buttons, the faint
// planet strip, the mode label and, in the timed game, the clock's frame.
void composePanel(app::Point firstCell, bool timed);

// The score window and the record line: the record line shows the larger of the two,
// green once the score has reached it.
void drawScore(int score, int record);

// The bar of ordinary kind k (1..5) at `progress` (kept to the bar's frame), and the whole
// width the bar can take, repaired from the composed screen.
void drawKindBar(int kind, int progress);
void eraseKindBar(int kind);

// Star n (1..8) of the star row, and the row emptied again.
void drawStarInRow(int n);
void eraseStarRow();
// The star that dropped out of `column`, in the tray below the board, in a resumed game.
void drawTrayStar(int column);

// The digit of `level` (kept to 1..8) in the panel's level box, and the box emptied.
void drawLevelNumber(int level);
void eraseLevelNumber();

// Planet `level` (1..8) of the strip over the board, drawn once more with `tint`; each
// pass lights it a little more. The whole strip is repaired by repairPlanetStrip.
void drawPlanet(int level, ALLEGRO_COLOR tint);
void repairPlanetStrip();

// The clock bar of the timed game: bar row k is emptied by step k. Rows from `steps` on
// are drawn full; the rows emptied by `steps` steps are taken back from the composed
// screen; eraseClockColumn takes `height` rows of the clock's column from the top of the
// screen (the bar goes with the board at a level's end).
void drawClockRemaining(int steps);
void eraseClockRows(int steps);
void eraseClockColumn(int height);

// The glow of the menu or save button while the pointer is on it, as it settles, the other
// button dark (both dark for any other `hover`); and both glows erased.
void lightPanelButton(int hover);
void dimPanelButtons();

// The hint button: lit while the pointer is on it, back to its face, and pressed in.
void lightHintButton();
void dimHintButton();
void pressHintButton();
void releaseHintButton();

} // namespace play
