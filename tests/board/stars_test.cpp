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
using standin::Rgba;

class Stars : public BoardTest {
  protected:
    void SetUp() override {
        BoardTest::SetUp();
        givenBoard(kQuiet);
    }

    static void starAtFootOf(int column) {
        GameState.cellKind[56 + column] = board::ElementKind::Star;
        board::rebuildGridFromCells();
    }

    static std::vector<int> column(int c) {
        std::vector<int> kinds;
        for (int r = 1; r <= 8; ++r) {
            kinds.push_back(GameState.grid[c][r]);
        }
        return kinds;
    }
};

TEST_F(Stars, AStarWaitsInTheBottomRowUntilALineWasFoundSinceTheDragBegan) {
    starAtFootOf(3);
    GameState.boardChanged = 0;
    board::checkStarDrops();
    EXPECT_EQ(GameState.stars, 0);
    EXPECT_EQ(GameState.grid[3][8], 6);
    EXPECT_EQ(standin::log().flips, 0);

    GameState.boardChanged = 1;
    board::checkStarDrops();
    EXPECT_EQ(GameState.stars, 1);
    EXPECT_EQ(GameState.columnStar[3], 1);
    EXPECT_EQ(GameState.boardChanged, 1);
    // The column slid down one cell; a new kind came in at the top.
    auto kinds = column(3);
    EXPECT_EQ(std::vector<int>(kinds.begin() + 1, kinds.end()),
              (std::vector<int>{3, 1, 3, 1, 3, 1, 3}));
    EXPECT_GE(kinds[0], 1);
    EXPECT_LE(kinds[0], 4);
    expectSoundBoard();
}

TEST_F(Stars, EachColumnGivesOneStarPerLevel) {
    starAtFootOf(5);
    GameState.columnStar[5] = 1;
    GameState.boardChanged = 1;
    board::checkStarDrops();
    EXPECT_EQ(GameState.stars, 0);
    EXPECT_EQ(GameState.grid[5][8], 6);
    EXPECT_EQ(GameState.score, 0);
}

TEST_F(Stars, AStarIsWorthAThousandPointsPerLevelWithoutTheLineCues) {
    for (int level : {1, 7}) {
        SetUp();
        GameState.level = level;
        GameState.score = 40;
        GameState.lineKind = 3;
        starAtFootOf(1);
        GameState.boardChanged = 1;
        board::checkStarDrops();
        EXPECT_EQ(GameState.awardPoints, 1000 * level);
        EXPECT_EQ(GameState.score, 40 + 1000 * level);
        EXPECT_EQ(GameState.lineKind, 0);
        EXPECT_EQ(plays("sam/gw1.wav"), 1);
        EXPECT_EQ(plays("sam/snd1.wav"), 0);
        const std::string award = std::to_string(1000 * level);
        auto banner = sheetPieces(0, 662, 149, 37);
        ASSERT_EQ(banner.size(), 1u);
        EXPECT_EQ(banner[0].dx, 459);
        EXPECT_EQ(banner[0].dy, 311);
        auto text = standin::textsWith(award);
        ASSERT_EQ(text.size(), 1u);
        EXPECT_EQ(text[0].x, 566);
        EXPECT_EQ(text[0].y, 318);
        EXPECT_EQ(standin::rgba(text[0].colour), (Rgba{180, 180, 110, 255}));
        EXPECT_EQ(text[0].frame, 2); // drawn in the third drop frame
    }
}

TEST_F(Stars, TheStarFallsBehindTheFrameAndJoinsTheStarRow) {
    GameState.stars = 4;
    starAtFootOf(6);
    GameState.boardChanged = 1;
    board::checkStarDrops();
    std::vector<float> fall;
    for (const auto& d : standin::drawsOf(app::Assets.sheet)) {
        if (d.sx == 46 * 6 && d.sy == 0 && d.dx == 580 && d.dy >= 422 &&
            d.target == standin::backbuffer()) {
            fall.push_back(d.dy);
        }
    }
    ASSERT_EQ(fall.size(), 58u);
    // From one pixel below the cell down to the star row; never redrawn in the cell.
    EXPECT_EQ(fall.front(), 422);
    EXPECT_EQ(fall.back(), 479);
    EXPECT_EQ(sheetPieces(16, 484, 370, 13).size(), 58u);
    EXPECT_EQ(standin::drawsOf(app::Assets.scratch).size(), 47u);
    auto star = sheetPieces(368, 0, 46, 46);
    ASSERT_EQ(star.size(), 1u);
    EXPECT_EQ(star[0].dx, 25 * 5 + 37);
    EXPECT_EQ(star[0].dy, 329);
}

TEST_F(Stars, EveryDropAndSlideFrameCountsForTheClock) {
    GameState.mode = board::GameMode::Timed;
    GameState.level = 8; // 921 frames a step: none passes here
    starAtFootOf(2);
    GameState.boardChanged = 1;
    board::checkStarDrops();
    EXPECT_EQ(GameState.clockTicks, 58 + 47);
}

TEST_F(Stars, TheEighthStarStopsEverySoundAtOnce) {
    GameState.stars = 6;
    starAtFootOf(1);
    starAtFootOf(8);
    GameState.boardChanged = 1;
    board::checkStarDrops();
    EXPECT_EQ(GameState.stars, 8);
    EXPECT_EQ(standin::log().stopSamplesCalls, 1);
    auto gw = standin::playsOf("sam/gw1.wav");
    ASSERT_EQ(gw.size(), 2u);
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
            starAtFootOf(4);
            GameState.columnStar[4] = 0;
            GameState.level = level;
            GameState.boardChanged = 1;
            std::srand(seed);
            board::checkStarDrops();
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
        for (int c = 1; c <= 8; ++c) {
            GameState.columnStar[c] = 1;
        }
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

    static const standin::TextDraw* text(const std::string& s) {
        static std::vector<standin::TextDraw> found;
        found = standin::textsWith(s);
        return found.size() == 1 ? &found[0] : nullptr;
    }
};

TEST_F(LevelCompletion, CongratulatesNamesThePlanetAndAnnouncesTheNextMultiplier) {
    completeWithContinuePressed(3);
    const auto* congratulations = text("Gratulacje");
    ASSERT_NE(congratulations, nullptr);
    EXPECT_EQ(congratulations->x, 532);
    EXPECT_EQ(congratulations->y, 145);
    EXPECT_EQ(congratulations->font, app::Assets.font34);
    EXPECT_EQ(standin::rgba(congratulations->colour), (Rgba{60, 160, 60, 255}));
    const auto* caption = text("zaliczona planeta ZIEMIA");
    ASSERT_NE(caption, nullptr);
    EXPECT_EQ(caption->y, 200);
    EXPECT_EQ(standin::rgba(caption->colour), (Rgba{140, 160, 10, 255}));
    ASSERT_NE(text("Następny poziom"), nullptr);
    EXPECT_EQ(text("Następny poziom")->y, 239);
    ASSERT_NE(text("to punkty i bonusy"), nullptr);
    EXPECT_EQ(text("to punkty i bonusy")->y, 269);
    const auto* multiplier = text("x 4");
    ASSERT_NE(multiplier, nullptr);
    EXPECT_EQ(multiplier->y, 299);
    EXPECT_EQ(standin::rgba(multiplier->colour), (Rgba{160, 160, 160, 255}));
    EXPECT_EQ(standin::textsWith("ZIEMIA - planeta ludzi").size(), 1u);
    EXPECT_EQ(repairs(420, 460).size(), 2u); // before the texts and for the next level
}

TEST_F(LevelCompletion, StartsTheNextLevelOnAFreshBoardWithTheMusic) {
    completeWithContinuePressed(3);
    EXPECT_EQ(GameState.level, 4);
    EXPECT_EQ(GameState.stars, 0);
    for (int c = 1; c <= 8; ++c) {
        EXPECT_EQ(GameState.columnStar[c], 0);
    }
    EXPECT_GE(standin::log().stopSamplesCalls, 1);
    EXPECT_EQ(plays("sam/koniecet.wav"), 1);
    EXPECT_EQ(plays("sam/planety.wav"), 1);
    expectSoundBoard();
    EXPECT_NE(board(), expected(kQuiet));
    EXPECT_FALSE(hasLine());
    auto digit = sheetPieces(601, 50, 20, 30);
    ASSERT_EQ(digit.size(), 1u);
    EXPECT_EQ(digit[0].dx, 163);
    EXPECT_TRUE(sheetPieces(795, 435, 15, 316).empty()); // no clock in the relaxed game
    ASSERT_NE(app::Assets.music, nullptr);
    EXPECT_TRUE(app::Assets.music->playing);
    EXPECT_FLOAT_EQ(app::Assets.music->gains.back(), 0.5f);
}

TEST_F(LevelCompletion, TheMusicFadesWhileTheBoardDissolves) {
    completeWithContinuePressed(1);
    EXPECT_EQ(vanishFrames().size(), 64u * 11u);
    const auto& gains = app::Assets.music->gains;
    ASSERT_GE(gains.size(), 499u);
    EXPECT_FLOAT_EQ(gains[0], 0.499f);
    EXPECT_NEAR(gains[498], 0.001f, 1e-4);
    // The clock bar is erased from the top, one row per dissolve frame.
    EXPECT_EQ(repairs(20, 704).size(), 1u);
}

TEST_F(LevelCompletion, ThePlanetLightsUpOnScreenAndInTheScreenBuffer) {
    completeWithContinuePressed(3);
    int onDisplay = 0;
    int inBuffer = 0;
    for (const auto& d : standin::drawsOf(app::Assets.planets)) {
        EXPECT_EQ(d.sx, 202);
        EXPECT_EQ(d.dx, 182);
        onDisplay += d.target == standin::backbuffer();
        inBuffer += d.target == app::Assets.screen;
    }
    EXPECT_EQ(onDisplay, 20);
    EXPECT_EQ(inBuffer, 20);
}

TEST_F(LevelCompletion, TheNewLevelOnlyRedrawsTheKindBars) {
    GameState.lineKind = 2;
    GameState.lineSize = 2;
    GameState.kindProgress[2] = 100;
    GameState.score = 70;
    completeWithContinuePressed(2);
    EXPECT_EQ(GameState.kindProgress[2], 100);
    EXPECT_EQ(GameState.score, 70);
    EXPECT_EQ(plays("sam/kreski.wav"), 0);
    EXPECT_EQ(sheetPieces(116, 581, 101, 8).size(), 1u);
    EXPECT_EQ(sheetPieces(116, 572, 1, 8).size(), 1u);
}

TEST_F(LevelCompletion, TheTimedGameGetsAFullClockBar) {
    GameState.mode = board::GameMode::Timed;
    completeWithContinuePressed(5);
    auto bar = sheetPieces(795, 435, 15, 316);
    ASSERT_EQ(bar.size(), 1u);
    EXPECT_EQ(bar[0].dx, 758);
    EXPECT_EQ(bar[0].dy, 150);
}

TEST_F(LevelCompletion, NeptuneEndsTheGameWithoutANextLevel) {
    completeWithContinuePressed(8);
    EXPECT_EQ(GameState.level, 9);
    EXPECT_NE(text("zaliczona ostatnia planeta "), nullptr);
    EXPECT_EQ(standin::textsWith("Następny poziom").size(), 0u);
    EXPECT_EQ(standin::textsWith("x 9").size(), 0u);
    EXPECT_EQ(standin::textsWith("NEPTUN - ").size(), 2u);
    EXPECT_TRUE(repairs(420, 460).empty());
    EXPECT_EQ(board(), expected(kQuiet)); // no fresh board
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
    EXPECT_EQ(lit[0].dx, 481);
    EXPECT_GT(lit[0].frame, 760);
    EXPECT_EQ(standin::drawsOf(app::Assets.screen).back().sw == 0, false);
    int fades = 0;
    for (const auto& d : standin::drawsOf(app::Assets.screen)) {
        fades += d.tinted && d.sx == 0 && d.sy == 370 && d.sw == 330 && d.sh == 220;
    }
    EXPECT_EQ(fades, 44);
    EXPECT_GT(standin::log().flips, 780);
}

} // namespace
