#include "board/stars.hpp"

#include "board/board_setup.hpp"
#include "board/game_state.hpp"
#include "board/hooks.hpp"
#include "board/scoring.hpp"

#include <cstdlib>

namespace board {

namespace {

constexpr int kStarPointsPerLevel = 1000;

int newTopKind() {
    int k = std::rand() % 4 + 1;
    if (GameState.level > 2) {
        k = std::rand() % 5 + 1;
    }
    if (GameState.level > 5) {
        k = std::rand() % 6 + 1; // a new star element can enter from level 6 on
    }
    return k;
}

void dropStar(int column) {
    GameStateRecord& g = GameState;
    show(BoardHooks.starLeaves, column);
    g.stars += 1;
    if (g.stars == kStarsPerLevel) {
        show(BoardHooks.silence);
    }
    g.awardPoints = kStarPointsPerLevel * g.level;
    g.lineKind = 0;
    show(BoardHooks.cue, SoundCue::Gw1);
    show(BoardHooks.starFalls, column);
    scoreAward();
    // The board is shown without the star that just left it: its cell stays empty until
    // the column slides down.
    show(BoardHooks.starGone, column);

    g.columnStar[column] = 1;
    show(BoardHooks.columnSlides, column);
    const int kind = newTopKind();
    show(BoardHooks.starColumnFilled, column, kind);
    for (int r = kSide - 1; r >= 1; --r) {
        g.grid[column][r + 1] = g.grid[column][r];
    }
    g.grid[column][1] = kind;
    g.boardChanged = 1;
    rebuildCellsFromGrid();
}

} // namespace

void checkStarDrops() {
    GameStateRecord& g = GameState;
    for (int column = 1; column <= kSide; ++column) {
        if (g.grid[column][kSide] == ElementKind::Star && g.columnStar[column] == 0 &&
            g.boardChanged == 1) {
            dropStar(column);
        }
    }
}

} // namespace board
