#include "board_fixture.hpp"

#include "app/input.hpp"
#include "board/board_setup.hpp"

#include <cstdlib>
#include <set>

namespace {

using board::GameState;
using boardtest::BoardTest;

class BoardSetup : public BoardTest {
  protected:
    static int hoverAt(int x, int y) {
        app::InputState.x = x;
        app::InputState.y = y;
        app::InputState.hover = 0; // as the poll leaves it
        board::updateBoardFrame();
        return app::InputState.hover;
    }
};

TEST_F(BoardSetup, ResetClearsTheNewGameFieldsAndLeavesTheBoardAndHint) {
    auto& g = GameState;
    g.stars = 5, g.score = 1234, g.awardPoints = 50, g.lineKind = 3, g.refillCount = 7;
    g.level = 6, g.clockBar = 200, g.clockTicks = 400;
    for (int c = 1; c <= 8; ++c) {
        g.columnStar[c] = 1;
    }
    for (int k = 1; k <= 5; ++k) {
        g.kindProgress[k] = 10 * k;
    }
    g.lineSize = 2, g.selectedCell = 17, g.boardChanged = 1, g.hintX = 396, g.hintY = 146;
    g.cellKind[9] = 4, g.grid[3][5] = 2, g.record = 999, g.mode = board::GameMode::Timed;

    board::resetGame();

    EXPECT_EQ(g.stars, 0);
    EXPECT_EQ(g.score, 0);
    EXPECT_EQ(g.awardPoints, 0);
    EXPECT_EQ(g.lineKind, 0);
    EXPECT_EQ(g.refillCount, 0);
    EXPECT_EQ(g.level, 1);
    EXPECT_EQ(g.clockBar, 0);
    EXPECT_EQ(g.clockTicks, 0);
    for (int c = 1; c <= 8; ++c) {
        EXPECT_EQ(g.columnStar[c], 0) << c;
    }
    for (int k = 1; k <= 5; ++k) {
        EXPECT_EQ(g.kindProgress[k], 0) << k;
    }
    // Untouched:
    EXPECT_EQ(g.lineSize, 2);
    EXPECT_EQ(g.selectedCell, 17);
    EXPECT_EQ(g.boardChanged, 1);
    EXPECT_EQ(g.hintX, 396);
    EXPECT_EQ(g.hintY, 146);
    EXPECT_EQ(g.cellKind[9], 4);
    EXPECT_EQ(g.grid[3][5], 2);
    EXPECT_EQ(g.record, 999);
    EXPECT_EQ(g.mode, board::GameMode::Timed);
}

TEST_F(BoardSetup, ACellIsHitInside44PixelsOfIts46PitchExcludingItsLeftAndTopEdges) {
    struct Probe {
        int x, y, cell;
    };
    const Probe probes[] = {
        {350, 120, 0},  {351, 120, 1}, {394, 120, 1}, {395, 120, 0},  {396, 120, 0}, {397, 120, 2},
        {440, 120, 2},  {360, 100, 0}, {360, 101, 1}, {360, 144, 1},  {360, 145, 0}, {360, 147, 9},
        {716, 466, 64}, {717, 466, 0}, {716, 467, 0}, {683, 431, 64},
    };
    for (const Probe& p : probes) {
        EXPECT_EQ(hoverAt(p.x, p.y), p.cell) << "at " << p.x << ", " << p.y;
    }
}

TEST_F(BoardSetup, ButtonsHaveInclusiveSidesAndAnOpenTopEdge) {
    struct Button {
        int x0, y0, x1, y1, hover;
    };
    const Button buttons[] = {
        {116, 395, 229, 504, board::kHoverHint},
        {41, 552, 139, 574, board::kHoverMenu},
        {203, 552, 299, 574, board::kHoverSave},
    };
    for (const Button& b : buttons) {
        SCOPED_TRACE("hover " + std::to_string(b.hover));
        EXPECT_EQ(hoverAt(b.x0, b.y1), b.hover);
        EXPECT_EQ(hoverAt(b.x1, b.y0 + 1), b.hover);
        EXPECT_EQ(hoverAt(b.x0, b.y0), 0);
        EXPECT_EQ(hoverAt(b.x0 - 1, b.y1), 0);
        EXPECT_EQ(hoverAt(b.x1 + 1, b.y1), 0);
        EXPECT_EQ(hoverAt(b.x1, b.y1 + 1), 0);
    }
    EXPECT_EQ(hoverAt(170, 560), 0); // between the menu and the save button
    // A hover number the board does not know is left alone.
    app::InputState.x = app::InputState.y = 10;
    app::InputState.hover = 5;
    board::updateBoardFrame();
    EXPECT_EQ(app::InputState.hover, 5);
}

TEST_F(BoardSetup, FreshBoardsHoldNoEqualNeighboursAndTheLevelsKinds) {
    for (int level = 1; level <= 8; ++level) {
        for (unsigned seed : {1u, 2u, 77u, 4242u}) {
            SCOPED_TRACE("level " + std::to_string(level) + " seed " + std::to_string(seed));
            GameState.level = level;
            std::srand(seed);
            board::fillBoardRandomly();
            expectSoundBoard();
            std::set<int> kinds;
            for (int r = 1; r <= 8; ++r) {
                for (int c = 1; c <= 8; ++c) {
                    const int k = GameState.grid[c][r];
                    kinds.insert(k);
                    EXPECT_TRUE(c == 8 || k != GameState.grid[c + 1][r]);
                    EXPECT_TRUE(r == 8 || k != GameState.grid[c][r + 1]);
                }
            }
            const std::set<int> levelKinds = level == 1   ? std::set<int>{1, 2}
                                             : level == 2 ? std::set<int>{1, 2, 3}
                                                          : std::set<int>{1, 2, 3, 4};
            EXPECT_EQ(kinds, levelKinds);
        }
    }
}

TEST_F(BoardSetup, LevelOneIsAStrictCheckerboard) {
    GameState.level = 1;
    std::srand(9);
    board::fillBoardRandomly();
    const int first = GameState.cellKind[1];
    for (int cell = 1; cell <= 64; ++cell) {
        const bool sameColour = (board::columnOf(cell) + board::rowOf(cell)) % 2 == 0;
        EXPECT_EQ(GameState.cellKind[cell], sameColour ? first : 3 - first) << cell;
    }
}

TEST_F(BoardSetup, TheTwoCopiesAreRebuiltFromEachOther) {
    for (int cell = 1; cell <= 64; ++cell) {
        GameState.cellKind[cell] = cell;
    }
    board::rebuildGridFromCells();
    EXPECT_EQ(GameState.grid[8][1], 8);
    EXPECT_EQ(GameState.grid[1][2], 9);
    EXPECT_EQ(GameState.grid[3][5], 35);
    EXPECT_EQ(GameState.grid[0][5], 0);
    GameState.grid[4][7] = 99;
    board::rebuildCellsFromGrid();
    EXPECT_EQ(GameState.cellKind[52], 99);
    EXPECT_EQ(GameState.cellKind[51], 51);
}

} // namespace
