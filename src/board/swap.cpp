#include "board/swap.hpp"

#include "board/board_setup.hpp"
#include "board/game_state.hpp"
#include "board/hooks.hpp"
#include "board/lines.hpp"

namespace board {

namespace {

void swapWith(int neighbour) {
    GameStateRecord& g = GameState;
    const int s = g.selectedCell;
    const int p = s + neighbour;
    // Left and right neighbours must share the row; nothing is swapped across an edge.
    if (!onBoard(s) || !onBoard(p) || (neighbour * neighbour == 1 && rowOf(s) != rowOf(p))) {
        return;
    }
    const int a = g.cellKind[s];
    const int b = g.cellKind[p];
    show(BoardHooks.swapSlides, s, p);
    g.cellKind[s] = b;
    g.cellKind[p] = a;
    rebuildGridFromCells();
}

} // namespace

void swapRight() {
    swapWith(1);
}
void swapLeft() {
    swapWith(-1);
}
void swapUp() {
    swapWith(-kSide);
}
void swapDown() {
    swapWith(kSide);
}

void (*swapOnto(int from, int to))() {
    if (rowOf(from) == rowOf(to) && to == from + 1) {
        return swapRight;
    }
    if (rowOf(from) == rowOf(to) && to == from - 1) {
        return swapLeft;
    }
    if (to == from - kSide) {
        return swapUp;
    }
    if (to == from + kSide) {
        return swapDown;
    }
    return nullptr;
}

void settleSwap(void (*swap)()) {
    const int changedBefore = GameState.boardChanged;
    GameState.boardChanged = 0;
    resolveLines();
    const int changed = GameState.boardChanged;
    if (changed == 0) {
        show(BoardHooks.cue, SoundCue::Take);
        swap();
    }
    GameState.boardChanged = changedBefore == 1 || changed == 1 ? 1 : 0;
}

} // namespace board
