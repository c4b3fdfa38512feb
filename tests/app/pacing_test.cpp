#include "app/assets.hpp"
#include "app/pacing.hpp"
#include "app/startup.hpp"
#include "board/board_fixture.hpp"
#include "board/board_setup.hpp"
#include "board/game_state.hpp"
#include "board/lines.hpp"
#include "board/stars.hpp"
#include "board/swap.hpp"
#include "play/game_loop.hpp"
#include "records/options.hpp"
#include "support/allegro_standin.hpp"
#include "support/headless.hpp"

#include <gtest/gtest.h>

#include <functional>

namespace {

using board::GameState;

// A free display costs a little to present beside each loop's rest; a display held to its
// refresh makes every flip last until the next 1/60 s.
constexpr double kFreePresent = app::kNominalFrame - 0.001;

struct Display {
    const char* name;
    double refreshHz;
    double flipCost;
};
constexpr Display kFree{"free", 0, kFreePresent};
constexpr Display kSixtyHertz{"60 Hz", 60, 0};

// Seconds of the virtual clock that `run` takes on `display`, after `prepare`.
double secondsOn(const Display& display, const std::function<void()>& prepare,
                 const std::function<void()>& run) {
    support::startHeadless();
    app::Settings = {1.0f, 1.0f};
    board::updateBoardFrame();
    prepare();
    standin::config().refreshHz = display.refreshHz;
    standin::config().flipCost = display.flipCost;
    const double start = standin::log().clock;
    run();
    return standin::log().clock - start;
}

// The quiet board of the board tests, with a line of three 5s in row 8 once cells 63
// and 64 swap.
const std::string kOneMove = boardtest::with({61, 62, 64}, 5);

void quietLevelOne() {
    support::givenBoard(kOneMove);
    GameState.level = 1;
    for (int c = 1; c <= 8; ++c) {
        GameState.columnStar[c] = 1;
    }
}

TEST(Pacing, AnimationsLastAsLongOnADisplayHeldTo60HzAsOnAFreeOne) {
    struct Case {
        const char* what;
        std::function<void()> prepare, run;
    };
    const Case cases[] = {
        {"a swap", quietLevelOne,
         [] {
             GameState.selectedCell = 61;
             board::swapRight();
         }},
        {"a line's vanish and fall",
         [] {
             quietLevelOne();
             GameState.cellKind[63] = 5;
             GameState.cellKind[64] = 1;
             board::rebuildGridFromCells();
         },
         [] { board::resolveLines(); }},
        {"a star drop",
         [] {
             quietLevelOne();
             GameState.columnStar[3] = 0;
             GameState.cellKind[59] = board::ElementKind::Star;
             board::rebuildGridFromCells();
             GameState.boardChanged = 1;
         },
         [] { board::checkStarDrops(); }},
        {"the title", [] {}, [] { app::titleSequence(); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const double free = secondsOn(kFree, c.prepare, c.run);
        const double held = secondsOn(kSixtyHertz, c.prepare, c.run);
        EXPECT_GT(free, 0.05);
        EXPECT_NEAR(held / free, 1.0, 0.25) << free << " s free, " << held << " s at 60 Hz";
    }
}

// The timed game's clock: one step of level 1 lasts 641 frames of the game loop.
TEST(Pacing, TheTimedClockKeepsItsPaceOnADisplayHeldTo60Hz) {
    const Display displays[] = {kFree, kSixtyHertz};
    double step[2] = {};
    for (int d = 0; d < 2; ++d) {
        const Display& display = displays[d];
        SCOPED_TRACE(display.name);
        double firstStep = -1;
        double& measured = step[d];
        secondsOn(
            display,
            [&] {
                GameState.mode = board::GameMode::Timed;
                standin::setRestDriver([&](double clock) {
                    if (GameState.clockBar == 1 && firstStep < 0) {
                        firstStep = clock;
                    }
                    if (GameState.clockBar == 2 && measured == 0) {
                        measured = clock - firstStep;
                        standin::setMouse(90, 560, 1); // the menu button ends the game
                    }
                });
            },
            [] { play::gameLoop(); });
        EXPECT_GT(measured, 0.5);
    }
    EXPECT_NEAR(step[1] / step[0], 1.0, 0.1) << step[0] << " s free, " << step[1] << " s at 60 Hz";
}

TEST(Pacing, NoVerticalSyncIsAskedForBeforeTheWindowIsCreated) {
    support::resetWorld();
    app::startUp();
    EXPECT_EQ(standin::log().vsyncAtCreation, 2);
}

} // namespace
