#include "board/board_setup.hpp"

#include "board/game_state.hpp"

#include <cstdlib>

namespace board {

namespace {

// The highest kind of a fresh board; kind 5 only ever enters through refills.
constexpr int kFreshKinds = 5;

int drawFreshKind(int kinds) {
    int k = std::rand() % kinds + 1;
    if (k == 5) {
        k = std::rand() % 4 + 1;
    }
    return k;
}

} // namespace

void resetGame() {
    GameStateRecord& g = GameState;
    g.stars = 0;
    g.score = 0;
    g.awardPoints = 0;
    g.lineKind = 0;
    g.refillCount = 0;
    g.level = 1;
    for (int c = 1; c <= kSide; ++c) {
        g.columnStar[c] = 0;
    }
    for (int k = 1; k <= 5; ++k) {
        g.kindProgress[k] = 0;
    }
    g.clockBar = 0;
    g.clockTicks = 0;
    g.pickedCell = 0;
}

void fillBoardRandomly() {
    GameStateRecord& g = GameState;
    int kinds = g.level + 1;
    if (kinds > kFreshKinds) {
        kinds = kFreshKinds;
    }
    if (kinds < 2) {
        kinds = 2; // a level below 1 from a damaged stored game must not loop forever
    }
    for (int r = 1; r <= kSide; ++r) {
        for (int c = 1; c <= kSide; ++c) {
            int k = drawFreshKind(kinds);
            while (k == g.grid[c - 1][r] || k == g.grid[c][r - 1]) {
                k = drawFreshKind(kinds);
            }
            g.grid[c][r] = k;
            g.cellKind[cellNumber(c, r)] = k;
        }
    }
}

void rebuildGridFromCells() {
    for (int r = 1; r <= kSide; ++r) {
        for (int c = 1; c <= kSide; ++c) {
            GameState.grid[c][r] = GameState.cellKind[cellNumber(c, r)];
        }
    }
}

void rebuildCellsFromGrid() {
    for (int r = 1; r <= kSide; ++r) {
        for (int c = 1; c <= kSide; ++c) {
            GameState.cellKind[cellNumber(c, r)] = GameState.grid[c][r];
        }
    }
}

} // namespace board
