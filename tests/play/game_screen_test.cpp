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
    static int drawsOnto(const std::vector<standin::BitmapDraw>& draws, const void* target) {
        int n = 0;
        for (const auto& d : draws) {
            n += d.target == target ? 1 : 0;
        }
        return n;
    }
};

TEST_F(GameScreen, ModeLabelAndClockFrameFollowTheMode) {
    GameState.mode = board::GameMode::Relaxed;
    play::composeGameScreen();
    EXPECT_EQ(drawsOnto(sheetPieces(480, 600, 135, 35), app::Assets.screen), 1);
    EXPECT_TRUE(sheetPieces(480, 640, 135, 35).empty());
    EXPECT_TRUE(sheetPieces(766, 430, 26, 330).empty()) << "no clock frame in the relaxed game";
    EXPECT_TRUE(sheetPieces(795, 435, 15, 316).empty()) << "no clock bar in the relaxed game";

    support::startHeadless();
    placeCells();
    GameState.mode = board::GameMode::Timed;
    play::composeGameScreen();
    auto label = sheetPieces(480, 640, 135, 35);
    ASSERT_EQ(label.size(), 1u);
    EXPECT_EQ(label[0].dx, 465);
    EXPECT_EQ(label[0].dy, 550);
    EXPECT_TRUE(sheetPieces(480, 600, 135, 35).empty());
    auto frame = sheetPieces(766, 430, 26, 330);
    ASSERT_EQ(frame.size(), 1u);
    EXPECT_EQ(frame[0].target, app::Assets.screen);
    EXPECT_EQ(frame[0].dx, 754);
    EXPECT_EQ(frame[0].dy, 143);
    auto bar = sheetPieces(795, 435, 15, 316);
    ASSERT_EQ(bar.size(), 1u);
    EXPECT_EQ(bar[0].target, standin::backbuffer()) << "the bar lives on the display only";
    EXPECT_EQ(bar[0].frame, kFadeInFlips) << "drawn after the fade-in";
}

TEST_F(GameScreen, ComposesThePanelIntoTheScreenBufferBeforeFadingIn) {
    play::composeGameScreen();
    auto boardFrame = sheetPieces(0, 100, 402, 460);
    ASSERT_EQ(boardFrame.size(), 1u);
    EXPECT_EQ(boardFrame[0].dx, 333);
    EXPECT_EQ(boardFrame[0].dy, 83);
    for (auto [sx, sy, w, h] : {std::array{404, 288, 140, 140}, std::array{404, 432, 114, 30},
                                std::array{404, 464, 114, 30}}) {
        auto button = sheetPieces(sx, sy, w, h);
        ASSERT_EQ(button.size(), 1u);
        EXPECT_EQ(button[0].target, app::Assets.screen);
        EXPECT_EQ(button[0].frame, 0);
    }
    auto label = standin::textsWith("rekord:");
    ASSERT_EQ(label.size(), 1u);
    EXPECT_EQ(label[0].x, 90);
    EXPECT_EQ(label[0].y, 229);
    EXPECT_EQ(standin::rgba(label[0].colour), (standin::Rgba{230, 184, 20, 255}));
    auto strip = standin::drawsOf(app::Assets.planets);
    ASSERT_EQ(strip.size(), 1u);
    EXPECT_EQ(standin::rgba(strip[0].tint), (standin::Rgba{25, 25, 25, 0}));
    EXPECT_EQ(strip[0].dx, -20);
    EXPECT_EQ(al_get_target_bitmap(), standin::backbuffer());
}

TEST_F(GameScreen, ANewGameRevealsTheBoardCellByCellAfterTheLevelNumber) {
    GameState.level = 1;
    play::composeGameScreen();
    auto digit = sheetPieces(541, 50, 20, 30);
    ASSERT_EQ(digit.size(), 1u);
    EXPECT_EQ(digit[0].dx, 163);
    EXPECT_EQ(digit[0].dy, 112);
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
    EXPECT_EQ(standin::log().flips, kFadeInFlips + 64);
    EXPECT_NEAR(standin::log().clock, kFadeInFlips * 0.03 + 64 * 0.02, 1e-9);
}

TEST_F(GameScreen, AResumedGameLightsCompletedPlanetsAndRestoresBarsAndStars) {
    GameState.resumedGame = 1;
    GameState.level = 4;
    GameState.stars = 2;
    GameState.columnStar[3] = 1;
    GameState.columnStar[8] = 1;
    GameState.kindProgress[1] = 0;
    GameState.kindProgress[5] = 57;
    play::composeGameScreen();

    // Planets 1..3, each with passes i = 0..18.
    int passes[4] = {};
    for (const auto& d : standin::drawsOf(app::Assets.planets)) {
        if (d.sw == 99) {
            EXPECT_EQ(d.target, app::Assets.screen);
            EXPECT_EQ(d.dx, d.sx - 20);
            const int k = static_cast<int>(d.sx) / 101 + 1;
            ASSERT_LE(k, 3);
            EXPECT_EQ(standin::rgba(d.tint), (standin::Rgba{passes[k], passes[k], passes[k], 0}));
            ++passes[k];
        }
    }
    EXPECT_EQ(passes[1], 19);
    EXPECT_EQ(passes[2], 19);
    EXPECT_EQ(passes[3], 19);

    // The board comes back with the shorter rest, and the grid is rebuilt from it.
    EXPECT_EQ(sprites(standin::backbuffer()).size(), 64u + 2 + 2) << "cells, stars, column stars";
    EXPECT_NEAR(standin::log().clock, kFadeInFlips * 0.03 + 64 * 0.01, 1e-9);
    EXPECT_EQ(GameState.grid[3][2], GameState.cellKind[11]);
    EXPECT_EQ(GameState.grid[8][8], GameState.cellKind[64]);

    auto emptyBar = sheetPieces(116, 572, 1, 8);
    ASSERT_EQ(emptyBar.size(), 1u) << "a bar at 0 is one pixel wide";
    EXPECT_EQ(emptyBar[0].dx, 117);
    EXPECT_EQ(emptyBar[0].dy, 270);
    auto fifthBar = sheetPieces(116, 572 + 36, 58, 8);
    ASSERT_EQ(fifthBar.size(), 1u);
    EXPECT_EQ(fifthBar[0].dy, 270 + 36);

    auto stars = sheetPieces(368, 0, 46, 46);
    ASSERT_EQ(stars.size(), 2u);
    EXPECT_EQ(stars[0].dx, 62);
    EXPECT_EQ(stars[1].dx, 87);
    EXPECT_EQ(stars[1].dy, 329);
    std::vector<standin::BitmapDraw> columnStars;
    for (const auto& d : sheetPieces(276, 0, 46, 46)) {
        if (d.dy == 480) {
            columnStars.push_back(d);
        }
    }
    ASSERT_EQ(columnStars.size(), 2u);
    EXPECT_EQ(columnStars[0].dx, 350 + 46 * 2);
    EXPECT_EQ(columnStars[1].dx, 350 + 46 * 7);
}

TEST_F(GameScreen, AResumedGameOnLevelOneLightsNoPlanetAndDrawsNoStar) {
    GameState.resumedGame = 1;
    GameState.level = 1;
    play::composeGameScreen();
    for (const auto& d : standin::drawsOf(app::Assets.planets)) {
        EXPECT_NE(d.sw, 99);
    }
    EXPECT_TRUE(sheetPieces(368, 0, 46, 46).empty());
    for (const auto& d : sheetPieces(276, 0, 46, 46)) {
        EXPECT_NE(d.dy, 480);
    }
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
        EXPECT_EQ(text[0].x, 0);
        EXPECT_EQ(text[0].y, 15 * i);
        EXPECT_EQ(text[0].frame, 0);
    }
    EXPECT_EQ(standin::log().flips, 1);
}

} // namespace
