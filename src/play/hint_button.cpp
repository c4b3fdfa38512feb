#include "play/hint_button.hpp"

#include "app/draw.hpp"
#include "app/input.hpp"
#include "app/pacing.hpp"
#include "app/palette.hpp"
#include "board/board_setup.hpp"
#include "board/game_state.hpp"
#include "board/move_search.hpp"
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

constexpr ALLEGRO_COLOR kHintColour = app::palette::rgb(44, 133, 166);

void outlineHint(ALLEGRO_COLOR colour) {
    const board::GameStateRecord& g = GameState;
    al_draw_rectangle(g.hintX, g.hintY, g.hintX + board::kPitch, g.hintY + board::kPitch, colour,
                      1);
}

void blinkHint() {
    int n = 0;
    int passes = 1; // blink frames the last pass stood for
    app::FrameClock frames(kBlinkRest + app::kPresentCost);
    do {
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
    } while (app::InputState.buttons != 0);
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
        pressHintButton();
        board::findMove();
        blinkHint();
        releaseHintButton();
        outlineHint(app::palette::kDeepTeal);
        app::showCanvas();
    }
}

} // namespace play
