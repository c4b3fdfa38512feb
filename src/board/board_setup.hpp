#pragma once

#include "app/geometry.hpp"

// Setting up a game: the new-game reset, the per-frame cell geometry and hit test, the
// random fill of a fresh board, and the two rebuilds that keep the board's two copies
// (by cell number and by column and row) in agreement.
namespace board {

// Hover numbers of the game screen besides the cells 1..64.
inline constexpr int kHoverHint = 70;
inline constexpr int kHoverMenu = 71;
inline constexpr int kHoverSave = 72;

// Top-left pixel of cell 1 and the pitch of the board; a cell's sprite is one pitch wide.
inline constexpr int kBoardX = 350;
inline constexpr int kBoardY = 100;
inline constexpr int kPitch = 46;

// Top-left pixel of the cell in column c and row r (both 1..8).
constexpr app::Point cellPixel(int column, int row) {
    return {kBoardX + kPitch * (column - 1), kBoardY + kPitch * (row - 1)};
}

// The board and the 20 pixels above its first row, as a plate drawn over the board
// (the pause's, the star-line banner's) covers it and the screen buffer restores it.
inline constexpr app::Rect kBoardArea{kBoardX, kBoardY - 20, 8 * kPitch, 8 * kPitch};

// Cell number of column c and row r (both 1..8).
constexpr int cellNumber(int column, int row) {
    return 8 * (row - 1) + column;
}
constexpr int columnOf(int cell) {
    return (cell - 1) % 8 + 1;
}
constexpr int rowOf(int cell) {
    return (cell - 1) / 8 + 1;
}

// Clears the fields of a new game and drops a picked cell; leaves the board, lineSize,
// selectedCell, boardChanged and the hint as they are.
void resetGame();

// Stores every cell's position and sets InputState.hover to the cell or button under
// the pointer (cells 1..64, hint 70, menu 71, save 72); otherwise the hover is left alone.
void updateBoardFrame();

// Draws a fresh board without any two equal neighbours into both copies; draws nothing.
void fillBoardRandomly();

void rebuildGridFromCells();
void rebuildCellsFromGrid();

} // namespace board
