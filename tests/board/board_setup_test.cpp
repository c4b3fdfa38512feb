#include "board_fixture.hpp"

#include "board/board_setup.hpp"

namespace {

using namespace boardtest;

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

TEST_F(BoardSetup, ANewGameClearsItsProgressButNotTheBoardHintRecordOrMode) {
    auto& g = GameState;
    g.stars = 5, g.score = 1234, g.awardPoints = 50, g.lineKind = 3, g.refillCount = 7;
    g.level = 6, g.clockBar = 200, g.clockTicks = 400, g.columnStar[8] = 1, g.kindProgress[5] = 50;
    g.hintX = 396, g.cellKind[9] = 4, g.grid[3][5] = 2, g.record = 999;
    g.mode = board::GameMode::Timed;
    board::resetGame();
    EXPECT_EQ(std::vector<int>({g.stars, g.score, g.awardPoints, g.lineKind, g.refillCount, g.level,
                                g.clockBar, g.clockTicks, g.columnStar[8], g.kindProgress[5]}),
              std::vector<int>({0, 0, 0, 0, 0, 1, 0, 0, 0, 0}));
    EXPECT_EQ(std::vector<int>({g.hintX, g.cellKind[9], g.grid[3][5], g.record}),
              std::vector<int>({396, 4, 2, 999}));
    EXPECT_EQ(g.mode, board::GameMode::Timed);
}

TEST_F(BoardSetup, CellsAndButtonsAreHitOnlyInsideTheirBoxes) {
    struct Probe {
        int x, y, hover;
    };
    // A cell: 44 pixels of its 46 pitch, not its left and top edges. A button: inclusive
    // sides, an open top edge.
    constexpr int H = board::kHoverHint, M = board::kHoverMenu, S = board::kHoverSave;
    const Probe probes[] = {
        {350, 120, 0}, {351, 120, 1}, {394, 120, 1}, {395, 120, 0}, {397, 120, 2},  {360, 100, 0},
        {360, 101, 1}, {360, 144, 1}, {360, 145, 0}, {360, 147, 9}, {716, 466, 64}, {717, 466, 0},
        {716, 467, 0}, {116, 504, H}, {229, 396, H}, {116, 395, 0}, {115, 504, 0},  {230, 504, 0},
        {229, 505, 0}, {41, 574, M},  {139, 553, M}, {41, 552, 0},  {140, 574, 0},  {203, 574, S},
        {299, 553, S}, {299, 575, 0}, {170, 560, 0},
    };
    for (const Probe& p : probes) {
        EXPECT_EQ(hoverAt(p.x, p.y), p.hover) << "at " << p.x << ", " << p.y;
    }
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
            // Two kinds without equal neighbours: level 1 is a strict checkerboard.
            EXPECT_EQ(static_cast<int>(kinds.size()), std::min(level + 1, 4));
            EXPECT_EQ(*kinds.begin(), 1);
            EXPECT_EQ(*kinds.rbegin(), std::min(level + 1, 4));
        }
    }
}

} // namespace
