#pragma once

#include "app/geometry.hpp"
#include "board/board_setup.hpp"

// Drawing the board's cells: the element sprites, the vanish sequence and the
// off-screen copy of the board that the falling and sliding animations are cut from.
namespace play {

// The board and the 20 pixels above its first row, as a plate drawn over the board
// (the pause's, the star-line banner's) covers it and the screen buffer restores it.
inline constexpr app::Rect kBoardArea{board::kBoardX, board::kBoardY - 20, 8 * board::kPitch,
                                      8 * board::kPitch};

// Frames of the vanish sequence shown whenever an element vanishes or changes.
inline constexpr int kVanishFrames = 11;

// Draws the sprite of the cell's kind at the cell's position on the current target.
void drawCell(int cell);

// Draws vanish frame f (0..10) with its top-left corner at (x, y).
void drawVanishFrame(int frame, int x, int y);

// The element of `cell` vanishes and `kind` is drawn in its place, resting `rest` seconds
// and flipping after each frame; the board itself is left as it is.
void changeElement(int cell, int kind, double rest);

// Draws the 64 cells one by one in cell order, resting `rest` seconds (when positive)
// and flipping the display after each.
void drawAllCellsFlipping(double rest = 0.0);

// Draws the 64 cells on the current target without flipping.
void drawAllCells();

// Clears Assets.scratch to transparent and draws every cell into it; the canvas is the
// target again afterwards.
void copyBoardToScratch();

} // namespace play
