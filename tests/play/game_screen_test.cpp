#include "app/assets.hpp"
#include "board/board_setup.hpp"
#include "board/game_state.hpp"
#include "play/game_screen.hpp"
#include "play/planet_screens.hpp"
#include "play_fixture.hpp"

#include <set>
#include <string>
#include <tuple>

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
        const std::size_t timed = mode == board::GameMode::Timed;
        EXPECT_EQ(sheetPieces(app::sheet::kModeLabelRelaxed).size(), 1 - timed) << "relaxed label";
        EXPECT_EQ(sheetPieces(app::sheet::kModeLabelTimed).size(), timed) << "timed label";
        EXPECT_EQ(sheetPieces(app::sheet::kClockBar).size(), timed) << "full clock bar";
        EXPECT_EQ(standin::textsWith("rekord:").size(), 1u);
        auto cells = sprites(app::Assets.canvas);
        ASSERT_EQ(cells.size(), 64u);
        for (int cell = 1; cell <= 64; ++cell) {
            const auto& d = cells[cell - 1];
            EXPECT_EQ(std::tuple(d.sx, d.dx, d.dy, d.frame),
                      std::tuple(app::sheet::kElementPieces[GameState.cellKind[cell]].x,
                                 GameState.cellX[cell], GameState.cellY[cell], 45 + cell - 1))
                << "cell " << cell << ", one a flip after the fade-in";
        }
    }
}

TEST_F(GameScreen, AResumedGameLightsTheCompletedPlanetsAndRestoresStarsAndBoard) {
    for (const int level : {1, 4}) {
        SCOPED_TRACE(level);
        SetUp();
        const bool stars = level > 1; // two, under columns 3 and 8
        GameState.resumedGame = 1;
        GameState.level = level;
        GameState.stars = stars ? 2 : 0;
        GameState.columnStar[3] = GameState.columnStar[8] = stars;
        GameState.kindProgress[5] = 57;
        play::composeGameScreen();
        std::set<float> lit, columnStars;
        for (const auto& d : standin::drawsOf(app::Assets.planets)) {
            if (d.sw == 99) {
                lit.insert(d.sx);
            }
        }
        EXPECT_EQ(lit.size(), level - 1u) << "the planets completed";
        EXPECT_EQ(sheetPieces(app::sheet::kStarIcon).size(), stars ? 2u : 0u)
            << "stars in the panel";
        for (const auto& d : sheetPieces(app::sheet::kElement6)) {
            columnStars.insert(d.dx);
        }
        const std::set<float> underColumns{static_cast<float>(board::cellPixel(3, 1).x),
                                           static_cast<float>(board::cellPixel(8, 1).x)};
        EXPECT_EQ(columnStars, stars ? underColumns : std::set<float>{});
        EXPECT_EQ(sheetPieces(app::sheet::kKindBar5.x, app::sheet::kKindBar5.y, 58,
                              app::sheet::kKindBar5.h)
                      .size(),
                  1u)
            << "the fifth bar at 57";
        EXPECT_EQ(GameState.grid[8][8], GameState.cellKind[64]) << "the grid rebuilt";
    }
}

class PlanetScreens : public playtest::PlayTest {
  protected:
    static std::size_t textsIn(const ALLEGRO_FONT* font) {
        std::size_t n = 0;
        for (const auto& t : standin::log().texts) {
            n += t.font == font;
        }
        return n;
    }
};

TEST_F(PlanetScreens, EachLevelShowsItsPlanetInOrderAndAnyOtherLevelNothing) {
    const char* const planets[] = {"MERKURY", "WENUS",  "ZIEMIA", "MARS",
                                   "JOWISZ",  "SATURN", "URAN",   "NEPTUN"};
    for (int level = 1; level <= 8; ++level) {
        SCOPED_TRACE(level);
        standin::log() = standin::Log{};
        play::planetInfo(level);
        ASSERT_EQ(textsIn(app::Assets.font24), 2u) << "the heading and its thickening";
        EXPECT_EQ(standin::log().texts[0].text.rfind(planets[level - 1], 0), 0u);
        EXPECT_GE(textsIn(app::Assets.font20), 7u) << "the lines about the planet";
        EXPECT_LE(textsIn(app::Assets.font20), 8u);
    }
    standin::log() = standin::Log{};
    for (int level : {-1, 0, 9, 1000}) {
        play::planetInfo(level);
    }
    EXPECT_TRUE(standin::log().texts.empty());
}

TEST_F(PlanetScreens, TheFinalScreenShowsTheScoreAndZoomsInWithItsSound) {
    for (int score : {48250, 0}) {
        SCOPED_TRACE(score);
        standin::log() = standin::Log{};
        GameState.score = score;
        play::finalScreen();
        const auto line = "w grze zdobyłeś  " + std::to_string(score) + "  punktów";
        EXPECT_EQ(standin::textsWith(line).size(), 2u) << "shadow and light";
        EXPECT_EQ(standin::textsWith("i to już wszystko").size(), 2u);
        EXPECT_EQ(standin::playsOf("sam/str_use_6.wav").size(), 1u);
        // 44 flips covering the game screen, then 200 zooming in the text layer.
        EXPECT_EQ(standin::log().flips, 44 + 200);
    }
}

} // namespace
