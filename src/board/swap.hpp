#pragma once

// Dragging and swapping. The player presses on a cell and drags into a neighbour, or
// clicks a cell and then its neighbour; the two elements slide past each other and line
// resolution runs at once. A swap that makes no line sounds a cue and slides back.
namespace board {

// Runs while the left button is held, starting from GameState.selectedCell. A press and
// release inside that cell that swapped nothing is a click on it (clickCell); any other
// way the drag ends is a click off the cells. `fromPress` is false when the button went
// down elsewhere and was held onto the cell: its release is no click there.
void dragSwap(bool fromPress = true);

// A click on `cell` (0: off the cells). With no cell picked it picks the cell, framed; on
// a neighbour of the picked cell it swaps the two as a drag from the picked cell would;
// on the picked cell, on any other cell or off the cells it drops the pick.
void clickCell(int cell);

// Frames the picked cell, if any, on the current target (drawn again every frame, so
// whatever repainted the board does not hide it).
void drawPick();

// Erases the frame and picks nothing.
void dropPick();

// One animated swap of the selected cell with that neighbour; the same call again
// restores the board.
void swapRight();
void swapLeft();
void swapUp();
void swapDown();

} // namespace board
