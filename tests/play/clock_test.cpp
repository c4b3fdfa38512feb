#include "app/assets.hpp"
#include "app/input.hpp"
#include "board/game_state.hpp"
#include "play/clock.hpp"
#include "play/pause.hpp"
#include "play_fixture.hpp"
#include "records/high_scores.hpp"

#include <string>
#include <tuple>

namespace {

constexpr app::Rect kBar = app::sheet::kClockBar;

using board::GameState;

class Clock : public playtest::PlayTest {
  protected:
    static void tick(int frames) {
        for (int i = 0; i < frames; ++i) {
            play::clockTick();
        }
    }
    static int warnings() { return static_cast<int>(standin::playsOf("sam/time.wav").size()); }
};

TEST_F(Clock, AStepTakes601Plus40FramesPerLevelAndEmptiesOneMoreRowOnlyInTheTimedGame) {
    GameState.clockBar = 299;
    tick(20000);
    EXPECT_EQ(std::tuple(GameState.clockTicks, GameState.clockBar, standin::log().flips),
              std::tuple(0, 299, 0))
        << "the relaxed game never moves it";
    GameState.mode = board::GameMode::Timed;
    for (int level : {1, 4, 8}) {
        SCOPED_TRACE(level);
        GameState.level = level;
        GameState.clockBar = 40;
        GameState.clockTicks = 0;
        tick(601 + 40 * level - 1);
        EXPECT_EQ(GameState.clockBar, 40);
        standin::log() = standin::Log{};
        tick(1);
        EXPECT_EQ(std::tuple(GameState.clockBar, GameState.clockTicks, standin::log().flips),
                  std::tuple(41, 0, 1));
        // The bar from row 41 down stays; rows 0..40 are emptied from the screen buffer.
        EXPECT_EQ(sheetPieces(kBar.x, kBar.y + 41, kBar.w, kBar.h - 41).size(), 1u);
        EXPECT_EQ(standin::drawsOf(app::Assets.screen).at(0).sh, 41);
    }
}

TEST_F(Clock, TheWarningLoopStartsExactlyAtStep300AndTheLastStepDrawsNoEmptyPiece) {
    GameState.mode = board::GameMode::Timed;
    GameState.level = 2;
    GameState.clockBar = 298;
    const int step = play::framesPerClockStep(2);
    tick(step);
    EXPECT_EQ(std::tuple(GameState.clockBar, warnings()), std::tuple(299, 0));
    tick(step);
    EXPECT_EQ(std::tuple(GameState.clockBar, warnings()), std::tuple(300, 1));
    EXPECT_EQ(standin::playsOf("sam/time.wav").at(0).mode, ALLEGRO_PLAYMODE_LOOP);
    tick(step * 16);
    EXPECT_EQ(GameState.clockBar, 316);
    EXPECT_EQ(warnings(), 1) << "the loop is started once and keeps playing";
    EXPECT_EQ(standin::activeLoops(), 1);
    for (const auto& d : standin::drawsOf(app::Assets.sheet)) {
        EXPECT_GT(d.sh, 0) << "a zero-height bar piece";
    }
}

TEST_F(Clock, ABarOutsideItsRangeIsDrawnInsideTheFrame) {
    // A stored game may carry any number.
    play::drawClockBar(5000);
    for (const auto& d : standin::drawsOf(app::Assets.screen)) {
        EXPECT_LE(d.sh, 316);
    }
    standin::log() = standin::Log{};
    play::drawClockBar(-20);
    EXPECT_TRUE(standin::drawsOf(app::Assets.screen).empty());
    EXPECT_EQ(sheetPieces(app::sheet::kClockBar).size(), 1u);
}

// Without a name entry the picture must stay long enough to be read before the game
// fades out, which starts from the board and would cover it at once.
TEST_F(Clock, TheTimeOutAsksForANameOnlyWhenTheScoreBeatsPlace20ElseHoldsThePicture) {
    for (int score : {1234, 1235}) {
        SCOPED_TRACE(score);
        SetUp();
        records::HighScoreList.entry[records::kListLength].score = 1234;
        GameState.score = score;
        answerNameEntry();
        support::FrameScript script;
        driver::giveUpAfter(script).install();
        play::timeUp();
        EXPECT_EQ(standin::playsOf("sam/brakczasu.wav").size(), 1u);
        EXPECT_EQ(sheetPieces(app::sheet::kTimeOut).size(), 1u) << "the time-out picture";
        EXPECT_EQ(standin::textsWith(playtest::kNamePrompt).empty(), score == 1234);
        if (score == 1234) {
            EXPECT_EQ(standin::log().flips, 1) << "nothing drawn over the picture";
            EXPECT_GE(standin::log().clock, 2.0) << "the picture was not held";
        }
    }
}

// A window grown as the time runs out: the play screen is composed again beneath the
// plate, which is drawn again at the new scale.
TEST_F(Clock, AChangeOfScaleAtTheTimeOutComposesThePlayScreenAgainWithThePlateOnIt) {
    records::HighScoreList.entry[records::kListLength].score = GameState.score;
    standin::resizeWindow(1600, 1200);
    play::timeUp();
    const auto plates = sheetPieces(app::sheet::kTimeOut);
    ASSERT_EQ(plates.size(), 2u);
    EXPECT_EQ(plates.back().dw, 2 * app::sheet::kTimeOut.w) << "drawn at the new size";
    EXPECT_EQ(sheetPieces(app::sheet::kPanelHead, app::Assets.screen).size(), 1u);
}

class Pause : public playtest::PlayTest {};

// The right button that paused, still held, or let go, does not end the pause: only a
// press made while the plate shows does.
TEST_F(Pause, ShowsThePlateAndWaitsForAPressMadeWhileItShows) {
    standin::setMouse(400, 300, app::kRightButton);
    app::pollInput();
    standin::setRestDriver([](double clock) {
        if (clock > 2.0 && clock < 3.0) {
            standin::setMouse(400, 300, 0);
        }
        if (clock > 5.0) {
            standin::setMouse(400, 300, app::kLeftButton);
        }
    });
    play::pauseScreen();
    EXPECT_GT(standin::log().clock, 5.0) << "the pause ended before a button was pressed";
    app::pollInput();
    EXPECT_EQ(app::InputState.buttons, app::kLeftButton) << "the ending press is kept";
    EXPECT_EQ(standin::log().presents, 1) << "only the plate is shown; the game loop flips after";
    EXPECT_EQ(standin::textsWith("P a u z a").size(), 1u);
    EXPECT_EQ(sprites(app::Assets.canvas).size(), 64u) << "the board is drawn again";
}

} // namespace
