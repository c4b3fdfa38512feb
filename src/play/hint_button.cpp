#include "play/hint_button.hpp"

#include "app/draw.hpp"
#include "app/input.hpp"
#include "app/keys.hpp"
#include "app/pacing.hpp"
#include "app/palette.hpp"
#include "app/window.hpp"
#include "board/board_setup.hpp"
#include "board/game_state.hpp"
#include "board/move_search.hpp"
#include "play/clock.hpp"
#include "play/panel.hpp"

#include <allegro5/allegro_primitives.h>

namespace play {

using board::GameState;

namespace {

// The blink: the outline shows for 10 passes and is erased for 10, one pass between.
constexpr int kBlinkCycle = 20;
constexpr double kBlinkRest = 0.02;
constexpr int kBlinkShown = 9;
constexpr int kBlinkErased = 10;
// A click shows the hint this long, unless the player moves first: a click lasts a tenth
// of a second, too short to see a blink.
constexpr double kHintShown = 2.0;

constexpr ALLEGRO_COLOR kHintColour = app::palette::rgb(44, 133, 166);

void outlineHint(ALLEGRO_COLOR colour) {
    const board::GameStateRecord& g = GameState;
    al_draw_rectangle(g.hintX, g.hintY, g.hintX + board::kPitch, g.hintY + board::kPitch, colour,
                      1);
}

// Blinks while the button is held, then on until kHintShown has passed since the
// press, unless the player presses a button or a key first: that press is the next
// move's, and stays for the game loop. After the button is let go the clock runs on.
void blinkHint() {
    int n = 0;
    int passes = 1; // blink frames the last pass stood for
    app::FrameClock frames(kBlinkRest + app::kPresentCost);
    const double until = al_get_time() + kHintShown;
    auto blink = [&] {
        app::pollInput();
        n = (n + passes) % (kBlinkCycle + 1);
        if (n <= kBlinkShown) {
            outlineHint(kHintColour);
        }
        if (n > kBlinkErased) {
            outlineHint(app::palette::kBlack);
        }
        app::showCanvas();
        passes = frames.next();
    };
    do {
        blink();
    } while (app::InputState.buttons != 0 && !app::closeWaiting());
    double counted = al_get_time(); // when the clock was last given its frames
    while (al_get_time() < until && app::InputState.buttons == 0 && !app::pressWaiting() &&
           !app::closeWaiting()) {
        blink();
        const double now = al_get_time();
        const int due = static_cast<int>((now - counted) / app::kNominalFrame);
        clockTicks(due);
        counted += due * app::kNominalFrame;
    }
}

} // namespace

void updateHintButton() {
    const app::InputStateRecord& in = app::InputState;
    if (in.hover == kHoverHint) {
        lightHintButton();
    }
    if (in.hover == 0) {
        dimHintButton();
    }
    if (in.hover == kHoverHint && in.buttons == app::kLeftButton) {
        showHint();
    }
}

void showHint() {
    pressHintButton();
    board::findMove();
    blinkHint();
    releaseHintButton();
    outlineHint(app::palette::kDeepTeal);
    app::showCanvas();
    // The hint is no pause of the game: a focus lost while it showed pauses nothing.
    app::takeFocusLoss();
}

} // namespace play
