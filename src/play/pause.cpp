#include "play/pause.hpp"

#include "app/assets.hpp"
#include "app/draw.hpp"
#include "app/input.hpp"
#include "app/keys.hpp"
#include "app/letterbox.hpp"
#include "app/pacing.hpp"
#include "app/palette.hpp"
#include "app/sheet.hpp"
#include "app/waiting.hpp"
#include "app/window.hpp"
#include "play/board_view.hpp"
#include "play/texts.hpp"

#include <allegro5/allegro_font.h>

namespace play {

using app::Assets;

namespace {
constexpr app::Rect kPlate = app::sheet::kMenuPlate;
constexpr app::Point kPlateAt{422, 265};
constexpr app::Point kWordAt{535, 268}; // centred on x
constexpr double kShowRest = 0.1;

// Besides any mouse button, the keys that end the pause; a key held since it began the
// pause repeats without ending it.
bool endsPause(int key) {
    return key == ALLEGRO_KEY_ESCAPE || key == ALLEGRO_KEY_P || app::isChoiceKey(key);
}

constexpr ALLEGRO_COLOR kWordColour = app::palette::rgb(200, 210, 220);
} // namespace

void pauseScreen() {
    const auto drawPlate = [] {
        app::drawSheet(kPlate, kPlateAt);
        app::drawText(Assets.font24, kWordColour, kWordAt.x, kWordAt.y, ALLEGRO_ALIGN_CENTRE,
                      _(kPauseWord));
    };
    // Only a press made while the plate shows ends the pause: the key or button that
    // began it, still held, does not.
    app::beginWait();
    app::takeFocusLoss();
    drawPlate();
    app::OnRescale recompose(drawPlate, true);
    app::showCanvas();
    app::sleepFor(kShowRest);
    // The wait sleeps until the player does something, so a paused game neither keeps a
    // processor busy nor ignores the window's close button; a resized or uncovered window
    // shows the plate again.
    while (!app::buttonWaiting() && !endsPause(app::takeKey(false)) && !app::closeWaiting()) {
        app::answerWindow();
        if (app::takeWindowChange()) {
            app::showCanvas();
        }
        app::waitForPlayer();
    }
    app::takeFocusLoss();
    app::restoreFromScreen(kBoardArea);
    drawAllCells();
}

} // namespace play
