#include "app/assets.hpp"
#include "app/pacing.hpp"
#include "app/startup.hpp"
#include "board/board_setup.hpp"
#include "board/game_state.hpp"
#include "board/lines.hpp"
#include "board/rules_fixture.hpp"
#include "board/stars.hpp"
#include "board/swap.hpp"
#include "play/board_animations.hpp"
#include "play/board_input.hpp"
#include "play/game_loop.hpp"
#include "records/options.hpp"
#include "support/allegro_standin.hpp"
#include "support/headless.hpp"

#include <gtest/gtest.h>

#include <functional>

namespace {

using board::GameState;

// The displays a player may have: one that presents freely, one whose every flip costs a
// whole frame, displays that hold each flip to their 144 Hz or 60 Hz refresh, a card
// whose flips cost nothing while the screen refreshes at 60 Hz, and a machine whose
// sleeps last longer than asked. A real flip always takes a little time.
struct Display {
    const char* name;
    double refreshHz; // flips held to this refresh; 0: flips cost `flipCost`
    double flipCost;
    int reportedHz; // what the display says its refresh is; -1: as held
    double oversleep = 0;
};
const Display kDisplays[] = {
    {"free", 0, 0, -1},
    {"a frame per flip", 0, app::kNominalFrame, 0},
    {"144 Hz", 144, 0, -1},
    {"60 Hz", 60, 0, -1},
    {"fast flips at 60 Hz", 0, 1e-6, 60},
    {"oversleeping", 0, 1e-6, 0, 0.0004},
};

// The refresh the game paces its pictures to: what the display says, 60 Hz when it says
// nothing.
double paceHz(const Display& display) {
    if (display.reportedHz >= 0) {
        return display.reportedHz > 0 ? display.reportedHz : app::kDefaultRefreshHz;
    }
    return display.refreshHz > 0 ? display.refreshHz : 100000;
}

// Seconds of the virtual clock that `run` takes on `display`, after `prepare`.
double secondsOn(const Display& display, const std::function<void()>& prepare,
                 const std::function<void()>& run) {
    support::startHeadless();
    app::Settings = {1.0f, 1.0f};
    play::updateBoardFrame();
    play::showBoardSteps();
    prepare();
    standin::config().refreshHz = display.refreshHz;
    standin::config().flipCost = display.flipCost;
    standin::config().reportedRefreshHz = display.reportedHz;
    standin::config().oversleep = display.oversleep;
    standin::log() = standin::Log{};
    run();
    return standin::log().clock;
}

void quietLevelOne() {
    support::givenBoard(boardtest::kLastRowMove);
    GameState.level = 1;
    for (int c = 1; c <= 8; ++c) {
        GameState.columnStar[c] = 1;
    }
}

// Every animation lasts as long on every display (within 5 %), presents at most once per
// refresh, and ends with its last picture shown.
TEST(Pacing, AnimationsKeepTheirLengthOnEveryDisplayAndShowTheirLastPicture) {
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
        const double nominal = secondsOn(kDisplays[0], c.prepare, c.run);
        EXPECT_GT(nominal, 0.05);
        for (const Display& display : kDisplays) {
            SCOPED_TRACE(display.name);
            const double seconds = secondsOn(display, c.prepare, c.run);
            // The last picture may wait for the display's next refresh.
            const double refresh = 1.0 / paceHz(display);
            EXPECT_NEAR(seconds, nominal, 0.05 * nominal + refresh) << "nominally " << nominal;
            app::sleepFor(1.0); // what follows an animation sleeps: a waiting picture shows
            const auto& presented = standin::log().presented;
            ASSERT_FALSE(presented.empty());
            for (std::size_t i = 1; i < presented.size(); ++i) {
                EXPECT_GE(presented[i].time - presented[i - 1].time, refresh - 0.001)
                    << "two pictures within one refresh";
            }
            int lastDrawn = -1;
            for (const auto& d : standin::log().bitmaps) {
                lastDrawn = d.target == app::Assets.canvas ? d.frame : lastDrawn;
            }
            EXPECT_GE(presented.back().frame, lastDrawn) << "the last picture was never shown";
            EXPECT_FALSE(app::pictureWaiting());
        }
    }
}

// Steps shorter than a refresh are mostly drawn without being shown, but an animation's
// last step is shown before the animation returns, whatever the display.
TEST(Pacing, AnAnimationsLastStepIsShownBeforeItReturns) {
    for (const Display& display : kDisplays) {
        SCOPED_TRACE(display.name);
        int lastStep = -1;
        secondsOn(
            display, [] {},
            [&] {
                app::Pace pace(0.001);
                for (int step = 0; step < 10; ++step) {
                    al_draw_bitmap(app::Assets.sheet, static_cast<float>(step), 0, 0);
                    lastStep = standin::log().flips;
                    pace.frame(step == 9);
                }
            });
        EXPECT_FALSE(app::pictureWaiting());
        EXPECT_GE(standin::log().presented.back().frame, lastStep);
    }
}

// The timed game's clock: one step of level 1 lasts 641 frames of 1/750 s on every
// display, within 1 %, and each step is one picture.
TEST(Pacing, TheTimedClockKeepsItsPaceOnEveryDisplay) {
    for (const Display& display : kDisplays) {
        SCOPED_TRACE(display.name);
        double firstStep = -1;
        double measured = 0;
        int presents = 0;
        secondsOn(
            display,
            [&] {
                GameState.mode = board::GameMode::Timed;
                // Each step of the clock is presented as it is taken: its picture's time
                // is the step's.
                standin::setFrameDriver([&](int) {
                    const double clock = standin::log().clock;
                    if (GameState.clockBar == 1 && firstStep < 0) {
                        firstStep = clock;
                        presents = -standin::log().presents;
                    }
                    if (GameState.clockBar == 4 && measured == 0) {
                        measured = clock - firstStep;
                        presents += standin::log().presents;
                        standin::setMouse(90, 560, 1); // the menu button ends the game
                    }
                });
            },
            [] { play::gameLoop(); });
        EXPECT_NEAR(measured / (3 * 641 * app::kNominalFrame), 1.0, 0.01) << measured << " s";
        EXPECT_EQ(presents, 3) << "one picture for each step of a board left alone";
    }
}

TEST(Pacing, NoVerticalSyncIsAskedForBeforeTheWindowIsCreated) {
    support::resetWorld();
    app::startUp();
    EXPECT_EQ(standin::log().vsyncAtCreation, 2);
}

} // namespace
