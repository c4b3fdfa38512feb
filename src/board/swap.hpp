#pragma once

// Swapping. Two neighbouring elements change places and line resolution runs at once; a
// swap that makes no line sounds a cue and is taken back.
namespace board {

// One swap of the selected cell with that neighbour; the same call again restores the
// board. Nothing is swapped across an edge of the board.
void swapRight();
void swapLeft();
void swapUp();
void swapDown();

// The swap that moves the element of `from` onto the neighbouring cell `to`; nullptr when
// the two are not neighbours (a row's ends are not).
void (*swapOnto(int from, int to))();

// Lines are resolved at once after `swap`; a swap that made none is taken back. Each swap
// of a drag is judged on its own: the vertical half of a diagonal drag is taken back even
// when the horizontal half made a line. GameState.boardChanged then again says whether
// the drag changed the board, as the star drops read it.
void settleSwap(void (*swap)());

} // namespace board
