#pragma once

// Dragging and swapping. The player presses on a cell and drags into a neighbour; the two
// elements slide past each other and line resolution runs at once. A swap that makes no
// line sounds a cue and slides back.
namespace board {

// Runs while the left button is held, starting from GameState.selectedCell.
void dragSwap();

// One animated swap of the selected cell with that neighbour; the same call again
// restores the board.
void swapRight();
void swapLeft();
void swapUp();
void swapDown();

} // namespace board
