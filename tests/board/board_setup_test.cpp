#include "rules_fixture.hpp"

#include <algorithm>
#include <set>

namespace {

using namespace boardtest;

using BoardSetup = RulesTest;

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
