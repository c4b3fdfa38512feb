#include "play/clock.hpp"

#include "app/assets.hpp"
#include "app/draw.hpp"
#include "app/letterbox.hpp"
#include "app/pacing.hpp"
#include "app/sheet.hpp"
#include "app/sound.hpp"
#include "board/game_state.hpp"
#include "play/game_screen.hpp"
#include "play/panel.hpp"
#include "records/high_scores.hpp"
#include "records/name_entry.hpp"
#include "saves/save_index.hpp"

#include <algorithm>

namespace play {

using board::GameState;

namespace {
static_assert(app::sheet::kClockBar.h == kClockSteps, "one row of the bar a step");

constexpr app::Rect kTimeUpPicture = app::sheet::kTimeOut;
constexpr app::Point kTimeUpAt{432, 252};
// How long "Koniec czasu" stays when no name entry follows: the fade-out that comes next
// starts from the board, so without a pause the picture would show for one frame only.
constexpr double kTimeUpHold = 2.0;

constexpr int kBaseFramesPerStep = 600;
constexpr int kFramesPerStepPerLevel = 40;

} // namespace

int framesPerClockStep(int level) {
    return kBaseFramesPerStep + kFramesPerStepPerLevel * level + 1;
}

namespace {
// Counts one frame; returns whether the bar lost a row (drawn, not yet shown).
bool countFrame() {
    if (GameState.mode != board::GameMode::Timed) {
        return false;
    }
    GameState.clockTicks += 1;
    if (GameState.clockTicks <= kBaseFramesPerStep + kFramesPerStepPerLevel * GameState.level) {
        return false;
    }
    GameState.clockTicks = 0;
    int c = GameState.clockBar + 1;
    GameState.clockBar = c;
    drawClockRemaining(c);
    eraseClockRows(c);
    if (c == kClockWarningStep) {
        app::playCue(app::SoundCue::Time);
    }
    return true;
}
} // namespace

void clockTick() {
    if (countFrame()) {
        app::showCanvas();
    }
}

void clockTicks(int frames) {
    for (int i = 0; i < frames && GameState.clockBar < kClockSteps; ++i) {
        countFrame();
    }
}

int framesToClockStep() {
    if (GameState.mode != board::GameMode::Timed) {
        return 0;
    }
    return std::max(1, framesPerClockStep(GameState.level) - GameState.clockTicks);
}

void timeUp() {
    app::playCue(app::SoundCue::BrakCzasu);
    // The plate over the play screen as the clock left it; after a change of scale the
    // play screen is composed whole beneath it again.
    const auto drawPlate = [] { app::drawSheet(kTimeUpPicture, kTimeUpAt); };
    app::OnRescale recompose([drawPlate] {
        drawGameScreen();
        drawPlate();
    });
    drawPlate();
    app::showCanvas();
    if (records::lastPlaceScore() < GameState.score) {
        GameState.nameEntryDue = 1;
        records::nameEntry(saves::discardStoredGame);
    } else {
        app::sleepFor(kTimeUpHold);
    }
}

void drawClockBar(int steps) {
    drawClockRemaining(0);
    eraseClockRows(steps);
}

} // namespace play
