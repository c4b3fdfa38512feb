#include "app/assets.hpp"
#include "app/input.hpp"
#include "board/game_state.hpp"
#include "play/game_screen.hpp"
#include "play_fixture.hpp"

namespace {

using board::GameState;

constexpr int kFadeInFlips = 45;

class GameScreen : public playtest::PlayTest {
  protected:
    void SetUp() override {
        PlayTest::SetUp();
        for (int cell = 1; cell <= board::kCells; ++cell) {
            GameState.cellKind[cell] = 1 + cell % 4;
        }
    }
};

TEST_F(GameScreen, ModeLabelAndClockFollowTheMode) {
    for (auto mode : {board::GameMode::Relaxed, board::GameMode::Timed}) {
        SCOPED_TRACE(mode == board::GameMode::Timed ? "timed" : "relaxed");
        SetUp();
        GameState.mode = mode;
        play::composeGameScreen();
        const bool timed = mode == board::GameMode::Timed;
        EXPECT_EQ(sheetPieces(480, 600, 135, 35).size(), timed ? 0u : 1u);
        EXPECT_EQ(sheetPieces(480, 640, 135, 35).size(), timed ? 1u : 0u);
        EXPECT_EQ(sheetPieces(766, 430, 26, 330).size(), timed ? 1u : 0u) << "clock frame";
        auto bar = sheetPieces(795, 435, 15, 316);
        ASSERT_EQ(bar.size(), timed ? 1u : 0u);
        if (timed) {
            EXPECT_EQ(bar[0].target, standin::backbuffer()) << "the bar lives on the display only";
            EXPECT_EQ(bar[0].frame, kFadeInFlips) << "drawn after the fade-in";
        }
    }
}

TEST_F(GameScreen, ANewGameRevealsTheBoardCellByCellAfterThePanelAndLevelNumber) {
    GameState.level = 1;
    play::composeGameScreen();
    EXPECT_EQ(standin::textsWith("rekord:").size(), 1u);
    auto digit = sheetPieces(541, 50, 20, 30);
    ASSERT_EQ(digit.size(), 1u);
    EXPECT_EQ(digit[0].target, standin::backbuffer());
    auto cells = sprites(standin::backbuffer());
    ASSERT_EQ(cells.size(), 64u);
    for (int cell = 1; cell <= 64; ++cell) {
        const auto& d = cells[cell - 1];
        EXPECT_EQ(d.sx, 46 * GameState.cellKind[cell]) << cell;
        EXPECT_EQ(d.dx, GameState.cellX[cell]);
        EXPECT_EQ(d.dy, GameState.cellY[cell]);
        EXPECT_EQ(d.frame, kFadeInFlips + cell - 1) << "one cell per flip";
    }
    EXPECT_NEAR(standin::log().clock, kFadeInFlips * 0.03 + 64 * 0.02, 1e-9);
    EXPECT_EQ(al_get_target_bitmap(), standin::backbuffer());
}

TEST_F(GameScreen, AResumedGameLightsCompletedPlanetsAndRestoresBarsAndStars) {
    GameState.resumedGame = 1;
    GameState.level = 4;
    GameState.stars = 2;
    GameState.columnStar[3] = 1;
    GameState.columnStar[8] = 1;
    GameState.kindProgress[5] = 57;
    play::composeGameScreen();

    // Planets 1..3, each brightening over 19 passes.
    int passes[4] = {};
    for (const auto& d : standin::drawsOf(app::Assets.planets)) {
        if (d.sw == 99) {
            const int k = static_cast<int>(d.sx) / 101 + 1;
            ASSERT_LE(k, 3);
            EXPECT_EQ(standin::rgba(d.tint), (standin::Rgba{passes[k], passes[k], passes[k], 0}));
            ++passes[k];
        }
    }
    EXPECT_EQ(passes[1], 19);
    EXPECT_EQ(passes[3], 19);

    // The board comes back with the shorter rest, and the grid is rebuilt from it.
    EXPECT_EQ(sprites(standin::backbuffer()).size(), 64u + 2 + 2) << "cells, stars, column stars";
    EXPECT_NEAR(standin::log().clock, kFadeInFlips * 0.03 + 64 * 0.01, 1e-9);
    EXPECT_EQ(GameState.grid[8][8], GameState.cellKind[64]);
    EXPECT_EQ(sheetPieces(116, 572 + 36, 58, 8).size(), 1u) << "the fifth bar at 57";
    auto stars = sheetPieces(368, 0, 46, 46);
    ASSERT_EQ(stars.size(), 2u);
    EXPECT_EQ(stars[1].dx, 87);
    std::vector<float> columnStars;
    for (const auto& d : sheetPieces(276, 0, 46, 46)) {
        if (d.dy == 480) {
            columnStars.push_back(d.dx);
        }
    }
    EXPECT_EQ(columnStars, (std::vector<float>{350 + 46 * 2, 350 + 46 * 7}));
}

TEST_F(GameScreen, AResumedGameOnLevelOneLightsNoPlanetAndDrawsNoStar) {
    GameState.resumedGame = 1;
    GameState.level = 1;
    play::composeGameScreen();
    for (const auto& d : standin::drawsOf(app::Assets.planets)) {
        EXPECT_NE(d.sw, 99);
    }
    EXPECT_TRUE(sheetPieces(368, 0, 46, 46).empty());
}

TEST_F(GameScreen, DiagnosticOverlayShowsTheInputNumbers) {
    app::InputState.hover = 71;
    app::InputState.x = 90;
    app::InputState.y = 560;
    GameState.selectedCell = 12;
    GameState.lineKind = 6;
    play::diagnosticOverlay();
    const char* lines[] = {" mz 71 ", " mx 90 ", " my 560 ", " zz  12 ", " k 6 "};
    for (int i = 0; i < 5; ++i) {
        auto text = standin::textsWith(lines[i]);
        ASSERT_EQ(text.size(), 1u) << lines[i];
        EXPECT_EQ(text[0].y, 15 * i);
    }
    EXPECT_EQ(standin::log().flips, 1);
}

} // namespace
