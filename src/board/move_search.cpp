#include "board/move_search.hpp"

#include "board/board_setup.hpp"
#include "board/game_state.hpp"
#include "board/hooks.hpp"

#include <cstdlib>
#include <utility>

namespace board {

namespace {

// Cells of rows 1..7, where the reshuffle may place a new kind.
constexpr int kReshuffleCells = kCells - kSide;

int searchGrid[kSide + 1][kSide + 1];

bool equalTriple(int a, int b, int c) {
    return a == b && b == c;
}

// Any row or column triple of equal kinds in the search grid.
bool searchGridHasLine() {
    for (int a = 1; a <= kSide; ++a) {
        for (int k = 2; k <= kSide - 1; ++k) {
            if (equalTriple(searchGrid[k - 1][a], searchGrid[k][a], searchGrid[k + 1][a]) ||
                equalTriple(searchGrid[a][k - 1], searchGrid[a][k], searchGrid[a][k + 1])) {
                return true;
            }
        }
    }
    return false;
}

// Swaps two cells of the search grid, keeps them swapped when that makes a line.
bool trySwap(int c1, int r1, int c2, int r2) {
    std::swap(searchGrid[c1][r1], searchGrid[c2][r2]);
    if (searchGridHasLine()) {
        return true;
    }
    std::swap(searchGrid[c1][r1], searchGrid[c2][r2]);
    return false;
}

void setHint(int column, int row) {
    const Pixel cell = cellPixel(column, row);
    GameState.hintX = cell.x;
    GameState.hintY = cell.y;
}

} // namespace

void findMove() {
    for (int c = 1; c <= kSide; ++c) {
        for (int r = 1; r <= kSide; ++r) {
            searchGrid[c][r] = GameState.grid[c][r];
        }
    }
    for (int r = 1; r <= kSide; ++r) {
        for (int c = 1; c <= kSide - 1; ++c) {
            if (trySwap(c, r, c + 1, r)) {
                setHint(c, r);
                return;
            }
        }
    }
    for (int r = 2; r <= kSide; ++r) {
        for (int c = 1; c <= kSide; ++c) {
            if (trySwap(c, r - 1, c, r)) {
                setHint(c, r - 1);
                return;
            }
        }
    }
    GameState.noMoves = 1;
}

void replaceRandomElement() {
    GameStateRecord& g = GameState;
    // Without a single cell that may change (only possible on a damaged board) the
    // draw below would never end.
    bool anyCandidate = false;
    for (int cell = 1; cell <= kReshuffleCells; ++cell) {
        anyCandidate = anyCandidate || g.cellKind[cell] != ElementKind::Bonus;
    }
    if (!anyCandidate) {
        g.noMoves = 0;
        return;
    }
    int cell = std::rand() % kReshuffleCells + 1;
    while (g.cellKind[cell] == ElementKind::Bonus) {
        cell = std::rand() % kReshuffleCells + 1;
    }
    const int kind = g.level < 3 ? std::rand() % 4 + 1 : std::rand() % 5 + 1;
    g.lineKind = kind;
    show(BoardHooks.cue, SoundCue::Snd1);
    show(BoardHooks.elementReshuffled, cell, kind);
    g.cellKind[cell] = kind;
    g.grid[columnOf(cell)][rowOf(cell)] = kind;
    g.noMoves = 0;
}

} // namespace board
