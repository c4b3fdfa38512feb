#include "app/assets.hpp"
#include "board/game_state.hpp"
#include "play/clock.hpp"
#include "play_fixture.hpp"

namespace {

using board::GameState;

class Clock : public playtest::PlayTest {
  protected:
    static void tick(int frames) {
        for (int i = 0; i < frames; ++i) {
            play::clockTick();
        }
    }
    static int warningPlays() { return static_cast<int>(standin::playsOf("sam/time.wav").size()); }
};

TEST_F(Clock, TheRelaxedGameNeverMovesIt) {
    GameState.mode = board::GameMode::Relaxed;
    GameState.clockTicks = 5;
    GameState.clockBar = 299;
    tick(20000);
    EXPECT_EQ(GameState.clockTicks, 5);
    EXPECT_EQ(GameState.clockBar, 299);
    EXPECT_EQ(standin::log().flips, 0);
    EXPECT_EQ(warningPlays(), 0);
}

TEST_F(Clock, AStepTakes601Plus40FramesPerLevel) {
    GameState.mode = board::GameMode::Timed;
    for (int level : {1, 4, 8}) {
        GameState.level = level;
        GameState.clockBar = 0;
        GameState.clockTicks = 0;
        const int frames = 601 + 40 * level;
        EXPECT_EQ(play::framesPerClockStep(level), frames);
        tick(frames - 1);
        EXPECT_EQ(GameState.clockBar, 0) << "level " << level;
        EXPECT_EQ(GameState.clockTicks, frames - 1);
        tick(1);
        EXPECT_EQ(GameState.clockBar, 1) << "level " << level;
        EXPECT_EQ(GameState.clockTicks, 0);
        tick(frames);
        EXPECT_EQ(GameState.clockBar, 2) << "level " << level;
    }
    EXPECT_EQ(standin::log().flips, 6); // one flip per step, none in between
}

TEST_F(Clock, EachStepEmptiesOneMoreRowOfTheBar) {
    GameState.mode = board::GameMode::Timed;
    GameState.level = 1;
    GameState.clockBar = 40;
    tick(641);
    ASSERT_EQ(GameState.clockBar, 41);
    // The rest of the bar from row 41 down, then rows 0..40 taken from the screen buffer.
    auto rest = sheetPieces(795, 435 + 41, 15, 316 - 41);
    ASSERT_EQ(rest.size(), 1u);
    EXPECT_EQ(rest[0].dx, 758);
    EXPECT_EQ(rest[0].dy, 150 + 41);
    EXPECT_EQ(rest[0].target, standin::backbuffer());
    auto emptied = standin::drawsOf(app::Assets.screen);
    ASSERT_EQ(emptied.size(), 1u);
    EXPECT_EQ(emptied[0].sx, 755);
    EXPECT_EQ(emptied[0].sy, 150);
    EXPECT_EQ(emptied[0].sw, 20);
    EXPECT_EQ(emptied[0].sh, 41);
    EXPECT_EQ(emptied[0].dx, 755);
    EXPECT_EQ(emptied[0].dy, 150);
}

TEST_F(Clock, TheWarningLoopStartsExactlyAtStep300) {
    GameState.mode = board::GameMode::Timed;
    GameState.level = 2;
    GameState.clockBar = 298;
    const int step = play::framesPerClockStep(2);
    tick(step);
    EXPECT_EQ(GameState.clockBar, 299);
    EXPECT_EQ(warningPlays(), 0);
    tick(step);
    EXPECT_EQ(GameState.clockBar, 300);
    ASSERT_EQ(warningPlays(), 1);
    const auto warning = standin::playsOf("sam/time.wav")[0];
    EXPECT_EQ(warning.mode, ALLEGRO_PLAYMODE_LOOP);
    EXPECT_FLOAT_EQ(warning.gain, 2.0f);
    EXPECT_FLOAT_EQ(warning.speed, 0.8f);
    tick(step * 15);
    EXPECT_EQ(GameState.clockBar, 315);
    EXPECT_EQ(warningPlays(), 1) << "the loop is started once and keeps playing";
    EXPECT_EQ(standin::activeLoops(), 1);
}

TEST_F(Clock, TheLastStepEmptiesTheBarWithoutDrawingAnEmptyPiece) {
    GameState.mode = board::GameMode::Timed;
    GameState.clockBar = 315;
    tick(641);
    EXPECT_EQ(GameState.clockBar, 316);
    for (const auto& d : standin::drawsOf(app::Assets.sheet)) {
        EXPECT_GT(d.sh, 0) << "a zero-height bar piece";
    }
    auto emptied = standin::drawsOf(app::Assets.screen);
    ASSERT_EQ(emptied.size(), 1u);
    EXPECT_EQ(emptied[0].sh, 316);
}

TEST_F(Clock, ABarOutsideItsRangeIsDrawnInsideTheFrame) {
    // A stored game may carry any number; the bar is drawn clamped to its frame.
    play::drawClockBar(5000);
    for (const auto& d : standin::drawsOf(app::Assets.screen)) {
        EXPECT_LE(d.sh, 316);
    }
    standin::log() = standin::Log{};
    play::drawClockBar(-20);
    EXPECT_TRUE(standin::drawsOf(app::Assets.screen).empty());
    auto full = sheetPieces(795, 435, 15, 316);
    EXPECT_EQ(full.size(), 1u);
}

TEST_F(Clock, TimeUpSoundsAndShowsItsPictureOverTheBoard) {
    play::timeUp();
    ASSERT_EQ(standin::playsOf("sam/brakczasu.wav").size(), 1u);
    auto picture = sheetPieces(416, 716, 208, 65);
    ASSERT_EQ(picture.size(), 1u);
    EXPECT_EQ(picture[0].dx, 432);
    EXPECT_EQ(picture[0].dy, 252);
    EXPECT_EQ(picture[0].frame, 0);
    EXPECT_EQ(standin::log().flips, 1);
}

} // namespace
