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

TEST_F(Clock, AStepTakes601Plus40FramesPerLevelAndEmptiesOneMoreRow) {
    GameState.mode = board::GameMode::Timed;
    for (int level : {1, 4, 8}) {
        SCOPED_TRACE("level " + std::to_string(level));
        GameState.level = level;
        GameState.clockBar = 40;
        GameState.clockTicks = 0;
        const int frames = 601 + 40 * level;
        tick(frames - 1);
        EXPECT_EQ(GameState.clockBar, 40);
        standin::log() = standin::Log{};
        tick(1);
        EXPECT_EQ(GameState.clockBar, 41);
        EXPECT_EQ(GameState.clockTicks, 0);
        EXPECT_EQ(standin::log().flips, 1);
        // The rest of the bar from row 41 down, then rows 0..40 taken from the screen buffer.
        auto rest = sheetPieces(795, 435 + 41, 15, 316 - 41);
        ASSERT_EQ(rest.size(), 1u);
        EXPECT_EQ(rest[0].dy, 150 + 41);
        auto emptied = standin::drawsOf(app::Assets.screen);
        ASSERT_EQ(emptied.size(), 1u);
        EXPECT_EQ(emptied[0].sy, 150);
        EXPECT_EQ(emptied[0].sh, 41);
    }
}

TEST_F(Clock, TheWarningLoopStartsExactlyAtStep300AndTheLastStepDrawsNoEmptyPiece) {
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
    tick(step * 16);
    EXPECT_EQ(GameState.clockBar, 316);
    EXPECT_EQ(warningPlays(), 1) << "the loop is started once and keeps playing";
    EXPECT_EQ(standin::activeLoops(), 1);
    for (const auto& d : standin::drawsOf(app::Assets.sheet)) {
        EXPECT_GT(d.sh, 0) << "a zero-height bar piece";
    }
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
    EXPECT_EQ(sheetPieces(795, 435, 15, 316).size(), 1u);
}

} // namespace
