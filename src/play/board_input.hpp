#pragma once

// The pointer on the board: which cell or button it is over, drags and clicks. The player
// presses on a cell and drags into a neighbour, or clicks a cell and then its neighbour;
// the two elements slide past each other and line resolution runs at once.
namespace play {

// Stores every cell's position and sets InputState.hover to the cell or button under
// the pointer (cells 1..64, hint 70, menu 71, save 72); otherwise the hover is left alone.
void updateBoardFrame();

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

// A click at (x, y) was dropped while the board moved: the pick goes, and the next click,
// if it falls on that cell or beside it (the pair the player meant), is spent too.
void dropHalfPair(int x, int y);

} // namespace play
