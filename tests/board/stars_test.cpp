#include "board_fixture.hpp"

#include "app/input.hpp"
#include "board/stars.hpp"
#include "support/frame_script.hpp"

#include <cstdlib>
#include <set>

namespace {

using board::GameState;
using boardtest::BoardTest;
using boardtest::kQuiet;
using boardtest::with;
using standin::Rgba;

class Stars : public BoardTest {
  protected:
    void SetUp() override {
        BoardTest::SetUp();
        givenBoard(kQuiet);
        for (int c = 1; c <= 8; ++c) {
            GameState.columnStar[c] = 0;
        }
    }

    // A star element in the bottom row of each of `columns`, after a line since the drag began.
    static void dropStarsFrom(std::initializer_list<int> columns) {
        for (int column : columns) {
            GameState.cellKind[56 + column] = board::ElementKind::Star;
        }
        board::rebuildGridFromCells();
        GameState.boardChanged = 1;
        board::checkStarDrops();
    }
};

TEST_F(Stars, AStarDropsOnlyAfterALineSinceTheDragBeganAndOncePerColumnPerLevel) {
    GameState.cellKind[59] = board::ElementKind::Star;
    board::rebuildGridFromCells();
    GameState.boardChanged = 0;
    board::checkStarDrops();
    EXPECT_EQ(GameState.stars, 0);
    EXPECT_EQ(GameState.grid[3][8], 6);
    EXPECT_EQ(standin::log().flips, 0);

    dropStarsFrom({3});
    EXPECT_EQ(GameState.stars, 1);
    EXPECT_EQ(GameState.columnStar[3], 1);
    // The column slid down one cell; a new kind came in at the top.
    EXPECT_GE(GameState.grid[3][1], 1);
    EXPECT_LE(GameState.grid[3][1], 4);
    for (int row = 2; row <= 8; ++row) {
        EXPECT_EQ(GameState.grid[3][row], row % 2 == 0 ? 3 : 1) << "row " << row;
    }
    expectSoundBoard();

    dropStarsFrom({3}); // the column has given its star
    EXPECT_EQ(GameState.stars, 1);
    EXPECT_EQ(GameState.grid[3][8], 6);
}

TEST_F(Stars, AStarIsWorthAThousandPointsPerLevelWithItsBannerAndWithoutTheLineCues) {
    for (int level : {1, 7}) {
        SCOPED_TRACE("level " + std::to_string(level));
        SetUp();
        GameState.level = level;
        GameState.score = 40;
        GameState.lineKind = 3;
        dropStarsFrom({1});
        EXPECT_EQ(GameState.awardPoints, 1000 * level);
        EXPECT_EQ(GameState.score, 40 + 1000 * level);
        EXPECT_EQ(GameState.lineKind, 0);
        EXPECT_EQ(plays("sam/gw1.wav"), 1);
        EXPECT_EQ(plays("sam/snd1.wav"), 0);
        EXPECT_EQ(sheetPieces(0, 662, 149, 37).size(), 1u);
        auto text = standin::textsWith(std::to_string(1000 * level));
        ASSERT_EQ(text.size(), 1u);
        EXPECT_EQ(text[0].x, 566);
        EXPECT_EQ(text[0].y, 318);
    }
}

TEST_F(Stars, TheStarFallsBehindTheFrameAndJoinsTheStarRowCountingForTheClock) {
    GameState.stars = 4;
    GameState.mode = board::GameMode::Timed;
    GameState.level = 8; // 921 frames a clock step: none passes here
    dropStarsFrom({6});
    std::vector<float> fall;
    for (const auto& d : sprites()) {
        if (d.sx == 46 * 6 && d.dx == 580 && d.dy >= 422 && d.target == standin::backbuffer()) {
            fall.push_back(d.dy);
        }
    }
    ASSERT_EQ(fall.size(), 58u);
    // From one pixel below the cell down to the star row; never redrawn in the cell.
    EXPECT_EQ(fall.front(), 422);
    EXPECT_EQ(fall.back(), 479);
    auto star = sheetPieces(368, 0, 46, 46);
    ASSERT_EQ(star.size(), 1u);
    EXPECT_EQ(star[0].dx, 25 * 5 + 37);
    EXPECT_EQ(star[0].dy, 329);
    EXPECT_EQ(GameState.clockTicks, 58 + 47) << "every drop and slide frame counts";
}

TEST_F(Stars, TheEighthStarStopsEverySoundAtOnce) {
    GameState.stars = 6;
    dropStarsFrom({1, 8});
    EXPECT_EQ(GameState.stars, 8);
    EXPECT_EQ(standin::log().stopSamplesCalls, 1);
    EXPECT_EQ(plays("sam/gw1.wav"), 2);
    EXPECT_EQ(GameState.columnStar[1], 1);
    EXPECT_EQ(GameState.columnStar[8], 1);
}

TEST_F(Stars, TheKindEnteringAfterADropDependsOnTheLevel) {
    const std::set<int> expectedKinds[] = {
        {},
        {1, 2, 3, 4},
        {1, 2, 3, 4},
        {1, 2, 3, 4, 5},
        {1, 2, 3, 4, 5},
        {1, 2, 3, 4, 5},
        {1, 2, 3, 4, 5, 6},
        {1, 2, 3, 4, 5, 6},
        {1, 2, 3, 4, 5, 6},
    };
    for (int level = 1; level <= 8; ++level) {
        std::set<int> kinds;
        for (unsigned seed = 1; seed <= 80; ++seed) {
            givenBoard(kQuiet);
            GameState.columnStar[4] = 0;
            GameState.level = level;
            std::srand(seed);
            dropStarsFrom({4});
            kinds.insert(GameState.grid[4][1]);
        }
        EXPECT_EQ(kinds, expectedKinds[level]) << "level " << level;
    }
}

class LevelCompletion : public BoardTest {
  protected:
    void SetUp() override {
        BoardTest::SetUp();
        givenBoard(kQuiet);
        records::Options.musicVolume = 0.5f;
        GameState.stars = 8;
    }

    // The player has the left button down on "Dalej" when it appears.
    static void completeWithContinuePressed(int level) {
        GameState.level = level;
        app::mouseState.x = 500;
        app::mouseState.y = 400;
        app::mouseState.buttons = app::kLeftButton;
        standin::setMouse(500, 400, app::kLeftButton);
        board::completeLevel();
    }

    static int shown(const std::string& text) {
        return static_cast<int>(standin::textsWith(text).size());
    }
};

TEST_F(LevelCompletion, CongratulatesNamesThePlanetAndAnnouncesTheNextMultiplier) {
    completeWithContinuePressed(3);
    EXPECT_EQ(shown("Gratulacje"), 1);
    EXPECT_EQ(shown("zaliczona planeta ZIEMIA"), 1);
    EXPECT_EQ(shown("Następny poziom"), 1);
    EXPECT_EQ(shown("to punkty i bonusy"), 1);
    auto multiplier = standin::textsWith("x 4");
    ASSERT_EQ(multiplier.size(), 1u);
    EXPECT_EQ(multiplier[0].y, 299);
    EXPECT_EQ(shown("ZIEMIA - planeta ludzi"), 1);
}

TEST_F(LevelCompletion, StartsTheNextLevelOnAFreshBoardWithTheMusicAndOnlyRedrawsTheBars) {
    GameState.lineKind = 2;
    GameState.lineSize = 2;
    GameState.kindProgress[2] = 100;
    GameState.score = 70;
    completeWithContinuePressed(3);
    EXPECT_EQ(GameState.level, 4);
    EXPECT_EQ(GameState.stars, 0);
    for (int c = 1; c <= 8; ++c) {
        EXPECT_EQ(GameState.columnStar[c], 0);
    }
    EXPECT_EQ(plays("sam/koniecet.wav"), 1);
    EXPECT_EQ(plays("sam/planety.wav"), 1);
    expectSoundBoard();
    EXPECT_NE(board(), with({}, 0));
    EXPECT_FALSE(hasLine());
    EXPECT_TRUE(app::Assets.music->playing);
    EXPECT_FLOAT_EQ(app::Assets.music->gains.back(), 0.5f);
    // The full bar of kind 2 is drawn again, not paid: no points, no cue.
    EXPECT_EQ(GameState.kindProgress[2], 100);
    EXPECT_EQ(GameState.score, 70);
    EXPECT_EQ(plays("sam/kreski.wav"), 0);
    EXPECT_EQ(sheetPieces(116, 581, 101, 8).size(), 1u);
    EXPECT_TRUE(sheetPieces(795, 435, 15, 316).empty()); // no clock in the relaxed game
}

TEST_F(LevelCompletion, TheMusicFadesWhileTheBoardDissolvesAndThePlanetLightsUp) {
    completeWithContinuePressed(3);
    EXPECT_EQ(vanishFrames().size(), 64u * 11u);
    const auto& gains = app::Assets.music->gains;
    ASSERT_GE(gains.size(), 499u);
    EXPECT_FLOAT_EQ(gains[0], 0.499f);
    EXPECT_NEAR(gains[498], 0.001f, 1e-4);
    int onDisplay = 0, inBuffer = 0;
    for (const auto& d : standin::drawsOf(app::Assets.planets)) {
        EXPECT_EQ(d.sx, 202);
        onDisplay += d.target == standin::backbuffer();
        inBuffer += d.target == app::Assets.screen;
    }
    EXPECT_EQ(onDisplay, 20);
    EXPECT_EQ(inBuffer, 20);
}

TEST_F(LevelCompletion, TheTimedGameGetsAFullClockBar) {
    GameState.mode = board::GameMode::Timed;
    completeWithContinuePressed(5);
    auto bar = sheetPieces(795, 435, 15, 316);
    ASSERT_EQ(bar.size(), 1u);
    EXPECT_EQ(bar[0].dy, 150);
}

TEST_F(LevelCompletion, NeptuneEndsTheGameWithoutANextLevel) {
    completeWithContinuePressed(8);
    EXPECT_EQ(GameState.level, 9);
    EXPECT_EQ(shown("zaliczona ostatnia planeta "), 1);
    EXPECT_EQ(shown("Następny poziom"), 0);
    EXPECT_EQ(shown("x 9"), 0);
    EXPECT_EQ(shown("NEPTUN - "), 2);
    EXPECT_EQ(board(), with({}, 0)); // no fresh board
    EXPECT_FALSE(app::Assets.music->playing);
}

TEST_F(LevelCompletion, WaitsForAPressOnTheContinueButton) {
    GameState.level = 1;
    app::mouseState = ALLEGRO_MOUSE_STATE{};
    // Before the button: 704 dissolve frames, 22 planet steps and two more flips.
    support::FrameScript()
        .mouseAt(740, 300, 300, app::kLeftButton) // a press elsewhere does nothing
        .mouseAt(760, 500, 400, 0)                // over the button
        .mouseAt(780, 500, 400, app::kLeftButton)
        .install();
    board::completeLevel();
    EXPECT_EQ(GameState.level, 2);
    auto lit = sheetPieces(410, 500, 102, 21);
    ASSERT_FALSE(lit.empty());
    EXPECT_TRUE(lit[0].tinted);
    EXPECT_GT(lit[0].frame, 760);
    EXPECT_GT(standin::log().flips, 780);
}

} // namespace
