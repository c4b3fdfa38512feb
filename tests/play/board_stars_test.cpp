#include "board_fixture.hpp"

#include "board/stars.hpp"
#include "play/board_view.hpp"
#include "play/level_end.hpp"
#include "play/planet_screens.hpp"
#include "support/glow.hpp"
#include "support/screen_driver.hpp"

namespace {

using namespace boardtest;

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
    static void dropStarsFrom(std::initializer_list<int> columns, int boardChanged = 1) {
        for (int column : columns) {
            GameState.cellKind[56 + column] = board::ElementKind::Star;
        }
        board::rebuildGridFromCells();
        GameState.boardChanged = boardChanged;
        board::checkStarDrops();
    }
};

TEST_F(Stars, AStarDropsAfterALineOncePerColumnAndTheEighthStopsEverySound) {
    dropStarsFrom({3}, 0);
    EXPECT_EQ(GameState.stars, 0);
    EXPECT_EQ(GameState.grid[3][8], 6);

    dropStarsFrom({3});
    EXPECT_EQ(GameState.stars, 1);
    EXPECT_EQ(GameState.columnStar[3], 1);
    // The column slid down one cell; a new kind came in at the top.
    EXPECT_EQ(board(), expected(kQuiet, "3:a3131313", {GameState.grid[3][1]}));
    expectSoundBoard();

    dropStarsFrom({3}); // the column has given its star
    EXPECT_EQ(GameState.stars, 1);
    EXPECT_EQ(GameState.grid[3][8], 6);
    EXPECT_EQ(standin::log().stopSamplesCalls, 0);

    GameState.stars = 6; // the eighth star stops every sound at once
    dropStarsFrom({1, 8});
    EXPECT_EQ(GameState.stars, 8);
    EXPECT_EQ(standin::log().stopSamplesCalls, 1);
    EXPECT_EQ(plays("sam/gw1.wav"), 3);
}

TEST_F(Stars, AStarIsWorthAThousandPointsPerLevelAndCountsForTheClock) {
    for (int level : {1, 7}) {
        SCOPED_TRACE("level " + std::to_string(level));
        SetUp();
        GameState.level = level;
        GameState.score = 40;
        GameState.lineKind = 3;
        GameState.stars = 4;
        GameState.mode = board::GameMode::Timed;
        dropStarsFrom({6});
        EXPECT_EQ(GameState.awardPoints, 1000 * level);
        EXPECT_EQ(GameState.score, 40 + 1000 * level);
        EXPECT_EQ(GameState.lineKind, 0);
        EXPECT_EQ(plays("sam/gw1.wav"), 1);
        EXPECT_EQ(plays("sam/snd1.wav"), 0) << "not a line's cue";
        EXPECT_EQ(shown(std::to_string(1000 * level)), 1);
        // The fifth star joins the star row; each drop and slide frame ticks the clock.
        auto star = sheetPieces(app::sheet::kStarIcon);
        ASSERT_EQ(star.size(), 1u);
        EXPECT_EQ(star[0].dx, 25 * 5 + 37);
        EXPECT_EQ(GameState.clockTicks, 58 + 47);
    }
}

TEST_F(Stars, TheKindEnteringAfterADropDependsOnTheLevel) {
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
        const int highest = level <= 2 ? 4 : level <= 5 ? 5 : 6;
        EXPECT_EQ(static_cast<int>(kinds.size()), highest) << "level " << level;
        EXPECT_EQ(*kinds.begin(), 1);
        EXPECT_EQ(*kinds.rbegin(), highest);
    }
}

class LevelCompletion : public BoardTest {
  protected:
    void SetUp() override {
        BoardTest::SetUp();
        givenBoard(kQuiet);
        app::Settings.musicVolume = 0.5f;
        GameState.stars = 8;
    }

    // The player has the left button down on "Dalej" when it appears.
    // The player clicks on "Dalej" all along: only a click once it shows goes on.
    static void completeWithContinuePressed(int level) {
        GameState.level = level;
        driver::keepClicking(500, 400);
        play::completeLevel();
        standin::setRestDriver(nullptr);
    }
};

TEST_F(LevelCompletion, CongratulatesAndStartsTheNextLevelOnAFreshBoard) {
    for (auto mode : {board::GameMode::Relaxed, board::GameMode::Timed}) {
        SCOPED_TRACE(mode == board::GameMode::Timed ? "timed" : "relaxed");
        SetUp();
        GameState.mode = mode;
        GameState.lineKind = 2;
        GameState.lineSize = 2;
        GameState.kindProgress[2] = 100;
        GameState.score = 70;
        completeWithContinuePressed(3);
        for (const char* text : {"Gratulacje", "zaliczona planeta ZIEMIA", "Następny poziom",
                                 "to punkty i bonusy", "x 4", "ZIEMIA - planeta ludzi"}) {
            EXPECT_EQ(shown(text), 1) << text;
        }
        EXPECT_EQ(vanishFrames(), 64 * 11) << "the board dissolves";
        EXPECT_TRUE(app::Assets.music->playing);
        EXPECT_FLOAT_EQ(app::Assets.music->gains.back(), 0.5f);

        EXPECT_EQ(GameState.level, 4);
        EXPECT_EQ(GameState.stars, 0);
        EXPECT_EQ(std::count(GameState.columnStar + 1, GameState.columnStar + 9, 0), 8);
        EXPECT_EQ(plays("sam/koniecet.wav"), 1);
        EXPECT_EQ(plays("sam/planety.wav"), 1);
        expectSoundBoard();
        EXPECT_NE(board(), with({}, 0));
        EXPECT_TRUE(support::linesOnBoard().empty());
        // The full bar of kind 2 is drawn again, not paid: no points, no cue.
        EXPECT_EQ(GameState.kindProgress[2], 100);
        EXPECT_EQ(GameState.score, 70);
        EXPECT_EQ(plays("sam/kreski.wav"), 0);
        EXPECT_EQ(sheetPieces(app::sheet::kKindBar2).size(), 1u);
        // Only the timed game gets a full clock bar.
        EXPECT_EQ(sheetPieces(app::sheet::kClockBar).size(),
                  mode == board::GameMode::Timed ? 1u : 0u);
    }
}

TEST_F(LevelCompletion, NeptuneEndsTheGameWithoutANextLevel) {
    completeWithContinuePressed(8);
    EXPECT_EQ(GameState.level, 9);
    EXPECT_EQ(shown("zaliczona ostatnia planeta "), 1);
    EXPECT_EQ(shown("Następny poziom"), 0);
    EXPECT_EQ(shown("x 9"), 0);
    EXPECT_EQ(board(), with({}, 0)); // no fresh board
    EXPECT_FALSE(app::Assets.music->playing);
}

TEST_F(LevelCompletion, WaitsForAPressOnTheContinueButton) {
    GameState.level = 1;
    // Before the button: 704 dissolve frames, 22 planet steps and two more flips.
    support::FrameScript()
        .mouseAt(740, 300, 300, app::kLeftButton) // a press elsewhere does nothing
        .mouseAt(760, 500, 400, 0)                // over the button
        .mouseAt(780, 500, 400, app::kLeftButton)
        .install();
    play::completeLevel();
    EXPECT_EQ(GameState.level, 2);
    auto lit = sheetPieces(app::sheet::kContinueButtonFace);
    ASSERT_FALSE(lit.empty()) << "the button lights up while hovered";
    EXPECT_GE(lit[0].frame, 760);
    EXPECT_GT(standin::log().flips, 780);
    // Lit, it shows the glow its copies settle at from its first picture.
    const app::Rect face = app::sheet::kContinueButtonFace;
    const app::Rect plate = app::sheet::kContinueButton;
    const auto look = support::glowShown(lit[0].frame, app::Assets.sheet, {face.x, face.y},
                                         app::Assets.sheet, {plate.x, plate.y});
    EXPECT_TRUE(support::settledLook(look)) << look.layers << " copies";
}

// A window resized while the level ends or the last picture builds up shows the
// animation's step at the new size in the very picture after, composed whole as far as it
// has come, never a stretched copy of the old one.
TEST_F(LevelCompletion, AChangeOfScaleDuringTheAnimationsComposesTheirStepAtOnce) {
    GameState.level = 3;
    std::vector<int> resized; // the flip after which each resize was made
    // 300 flips into the 704 of the dissolve, then 10 into the planet's reveal.
    support::FrameScript()
        .at(300,
            [&resized] {
                resized.push_back(standin::log().flips);
                standin::resizeWindow(1600, 1200);
            })
        .at(714,
            [&resized] {
                resized.push_back(standin::log().flips);
                standin::resizeWindow(800, 600);
            })
        .install();
    driver::keepClicking(500, 400);
    play::completeLevel();
    standin::setRestDriver(nullptr);
    ASSERT_EQ(resized.size(), 2u);
    const auto drawnIn = [](int frame, app::Rect piece, float width) {
        int n = 0;
        for (const auto& d : sheetPieces(piece)) {
            n += d.frame == frame && d.dw == width;
        }
        return n;
    };
    // 300 frames of 11 for each cell: 27 cells gone, drawn at twice the size at once.
    const app::Rect gone = app::sheet::kVanishPieces[play::kVanishFrames - 1];
    EXPECT_GE(drawnIn(resized[0], gone, 2.0f * gone.w), 27);
    EXPECT_EQ(drawnIn(resized[0], app::sheet::kPanelHead, 2.0f * app::sheet::kPanelHead.w), 1);
    // Back at 800 x 600 mid-reveal: every cell gone, the panel composed again.
    EXPECT_EQ(drawnIn(resized[1], gone, static_cast<float>(gone.w)), board::kCells);
    EXPECT_EQ(
        drawnIn(resized[1], app::sheet::kPanelHead, static_cast<float>(app::sheet::kPanelHead.w)),
        1);
    EXPECT_EQ(GameState.level, 4);

    // The last picture: 44 cover steps, then the zoom; resized 50 steps into the zoom.
    standin::log() = standin::Log{};
    resized.clear();
    GameState.level = board::kLevels + 1;
    support::FrameScript()
        .at(94,
            [&resized] {
                resized.push_back(standin::log().flips);
                standin::resizeWindow(1600, 1200);
            })
        .install();
    play::finalScreen();
    ASSERT_EQ(resized.size(), 1u);
    int zoomed = 0; // the text layer copied whole at the new size in that picture
    for (const auto& d : standin::drawsOf(app::Assets.scratch)) {
        zoomed += d.frame == resized[0] && d.dw == 1600 && d.target == app::Assets.canvas;
    }
    EXPECT_EQ(zoomed, 1);
}

} // namespace
