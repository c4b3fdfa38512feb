#pragma once

#include "board/game_state.hpp"

// Setting up a game: the new-game reset, where each cell lies, the random fill of a fresh
// board, and the two rebuilds that keep the board's two copies (by cell number and by
// column and row) in agreement.
namespace board {

// Top-left pixel of cell 1 and the pitch of the board; a cell's sprite is one pitch wide.
inline constexpr int kBoardX = 350;
inline constexpr int kBoardY = 100;
inline constexpr int kPitch = 46;

// A pixel of the 800 x 600 picture.
struct Pixel {
    int x;
    int y;
};

// Top-left pixel of the cell in column c and row r (both 1..8).
constexpr Pixel cellPixel(int column, int row) {
    return {kBoardX + kPitch * (column - 1), kBoardY + kPitch * (row - 1)};
}

// Whether `cell` is one of the board's cells 1..64.
constexpr bool onBoard(int cell) {
    return cell >= 1 && cell <= kCells;
}

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

// Draws a fresh board without any two equal neighbours into both copies; draws nothing.
void fillBoardRandomly();

void rebuildGridFromCells();
void rebuildCellsFromGrid();

} // namespace board
