#include "board/board_setup.hpp"

#include "app/geometry.hpp"
#include "app/input.hpp"
#include "board/game_state.hpp"
#include "play/panel.hpp"

#include <cstdlib>

namespace board {

namespace {

// A cell is hit inside a 44 x 44 square of its 46-pixel pitch; the left and top edges
// and the two-pixel gaps between cells hit nothing.
constexpr int kHitSize = 44;

// The highest kind of a fresh board; kind 5 only ever enters through refills.
constexpr int kFreshKinds = 5;

int drawFreshKind(int kinds) {
    int k = std::rand() % kinds + 1;
    if (k == 5) {
        k = std::rand() % 4 + 1;
    }
    return k;
}

// The cell whose hit box holds (x, y), or 0.
int cellAt(int x, int y) {
    for (int r = 1; r <= kSide; ++r) {
        for (int c = 1; c <= kSide; ++c) {
            const auto [left, top] = cellPixel(c, r);
            if (app::HitBox{left + 1, top, left + kHitSize, top + kHitSize}.contains(x, y)) {
                return cellNumber(c, r);
            }
        }
    }
    return 0;
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

void updateBoardFrame() {
    GameStateRecord& g = GameState;
    app::InputStateRecord& in = app::InputState;
    for (int r = 1; r <= kSide; ++r) {
        for (int c = 1; c <= kSide; ++c) {
            const app::Point at = cellPixel(c, r);
            g.cellX[cellNumber(c, r)] = at.x;
            g.cellY[cellNumber(c, r)] = at.y;
        }
    }
    if (const int cell = cellAt(in.x, in.y)) {
        in.hover = cell;
    }
    if (const int button = play::panelButtonAt(in.x, in.y)) {
        in.hover = button;
    }
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
