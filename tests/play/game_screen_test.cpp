#include "app/assets.hpp"
#include "board/game_state.hpp"
#include "play/game_screen.hpp"
#include "play_fixture.hpp"

#include <set>

namespace {

using board::GameState;

class GameScreen : public playtest::PlayTest {
  protected:
    void SetUp() override {
        PlayTest::SetUp();
        for (int cell = 1; cell <= board::kCells; ++cell) {
            GameState.cellKind[cell] = 1 + cell % 4;
        }
    }
};

TEST_F(GameScreen, ANewGameShowsItsModeAndRevealsTheBoardOneCellAFlip) {
    for (auto mode : {board::GameMode::Relaxed, board::GameMode::Timed}) {
        SCOPED_TRACE(mode);
        SetUp();
        GameState.mode = mode;
        play::composeGameScreen();
        const std::size_t timed = mode == board::GameMode::Timed ? 1 : 0;
        EXPECT_EQ(sheetPieces(480, 600, 135, 35).size(), 1 - timed) << "relaxed label";
        EXPECT_EQ(sheetPieces(480, 640, 135, 35).size(), timed) << "timed label";
        EXPECT_EQ(sheetPieces(766, 430, 26, 330).size(), timed) << "clock frame";
        EXPECT_EQ(sheetPieces(795, 435, 15, 316).size(), timed) << "full clock bar";
        EXPECT_EQ(standin::textsWith("rekord:").size(), 1u);
        EXPECT_EQ(sheetPieces(541, 50, 20, 30).size(), 1u) << "the level number 1";
        auto cells = sprites(standin::backbuffer());
        ASSERT_EQ(cells.size(), 64u);
        for (int cell = 1; cell <= 64; ++cell) {
            const auto& d = cells[cell - 1];
            EXPECT_EQ(d.sx, 46 * GameState.cellKind[cell]) << cell;
            EXPECT_EQ(d.dx, GameState.cellX[cell]);
            EXPECT_EQ(d.dy, GameState.cellY[cell]);
            EXPECT_EQ(d.frame, 45 + cell - 1) << "one cell per flip after the fade-in";
        }
    }
}

TEST_F(GameScreen, AResumedGameLightsTheCompletedPlanetsAndRestoresStarsAndBoard) {
    struct Case {
        int level;
        std::size_t stars, litPlanets;
    };
    for (const Case c : {Case{1, 0, 0}, Case{4, 2, 3}}) {
        SCOPED_TRACE(c.level);
        SetUp();
        GameState.resumedGame = 1;
        GameState.level = c.level;
        GameState.stars = static_cast<int>(c.stars);
        GameState.columnStar[3] = GameState.columnStar[8] = c.stars > 0;
        GameState.kindProgress[5] = 57;
        play::composeGameScreen();
        std::set<float> lit, columnStars;
        for (const auto& d : standin::drawsOf(app::Assets.planets)) {
            if (d.sw == 99) {
                lit.insert(d.sx);
            }
        }
        EXPECT_EQ(lit.size(), c.litPlanets);
        EXPECT_EQ(sheetPieces(368, 0, 46, 46).size(), c.stars) << "stars in the panel";
        for (const auto& d : sheetPieces(276, 0, 46, 46)) {
            columnStars.insert(d.dx);
        }
        const std::set<float> columns{350 + 46 * 2, 350 + 46 * 7};
        EXPECT_EQ(columnStars, c.stars ? columns : std::set<float>{}) << "stars under columns";
        EXPECT_EQ(sheetPieces(116, 572 + 36, 58, 8).size(), 1u) << "the fifth bar at 57";
        EXPECT_EQ(GameState.grid[8][8], GameState.cellKind[64]) << "the grid rebuilt";
    }
}

} // namespace
