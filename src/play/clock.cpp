#include "play/clock.hpp"

#include "app/assets.hpp"
#include "app/draw.hpp"
#include "app/pacing.hpp"
#include "app/sound.hpp"
#include "board/game_state.hpp"
#include "records/high_scores.hpp"
#include "records/name_entry.hpp"

#include <algorithm>

namespace play {

using board::GameState;

namespace {
// Bar row k is sheet row 435 + k and window row 150 + k.
constexpr app::Rect kFullBar{795, 435, 15, kClockSteps};
constexpr app::Point kBarAt{758, 150};
// The emptied rows are taken from the composed screen, a little wider than the bar.
constexpr app::Point kEmptiedAt{755, 150};
constexpr int kEmptiedWidth = 20;

constexpr app::Rect kTimeUpPicture{416, 716, 208, 65};
constexpr app::Point kTimeUpAt{432, 252};
// How long "Koniec czasu" stays when no name entry follows: the fade-out that comes next
// starts from the board, so without a pause the picture would show for one frame only.
constexpr double kTimeUpHold = 2.0;

constexpr int kBaseFramesPerStep = 600;
constexpr int kFramesPerStepPerLevel = 40;

// A stored game may hold any number; the bar is never drawn outside its frame.
int clampSteps(int steps) {
    return std::clamp(steps, 0, kClockSteps);
}

void drawRemainingBar(int steps) {
    int c = clampSteps(steps);
    if (c < kClockSteps) {
        app::drawSheet({kFullBar.x, kFullBar.y + c, kFullBar.w, kFullBar.h - c},
                       {kBarAt.x, kBarAt.y + c});
    }
}

void restoreEmptiedBar(int steps) {
    int c = clampSteps(steps);
    if (c > 0) {
        app::restoreFromScreen({kEmptiedAt.x, kEmptiedAt.y, kEmptiedWidth, c});
    }
}
} // namespace

int framesPerClockStep(int level) {
    return kBaseFramesPerStep + kFramesPerStepPerLevel * level + 1;
}

void clockTick() {
    if (GameState.mode != board::GameMode::Timed) {
        return;
    }
    GameState.clockTicks += 1;
    if (GameState.clockTicks <= kBaseFramesPerStep + kFramesPerStepPerLevel * GameState.level) {
        return;
    }
    GameState.clockTicks = 0;
    int c = GameState.clockBar + 1;
    GameState.clockBar = c;
    drawRemainingBar(c);
    restoreEmptiedBar(c);
    if (c == kClockWarningStep) {
        app::playCue(app::SoundCue::Time);
    }
    app::flipDisplay();
}

void clockTicks(int frames) {
    for (int i = 0; i < frames && GameState.clockBar < kClockSteps; ++i) {
        clockTick();
    }
}

void timeUp() {
    app::playCue(app::SoundCue::BrakCzasu);
    app::drawSheet(kTimeUpPicture, kTimeUpAt);
    app::flipDisplay();
    if (records::lastPlaceScore() < GameState.score) {
        GameState.nameEntryDue = 1;
        records::nameEntry();
    } else {
        al_rest(kTimeUpHold);
    }
}

void drawClockBar(int steps) {
    drawRemainingBar(0);
    restoreEmptiedBar(steps);
}

} // namespace play
