#include "screens/page_loop.hpp"

#include "app/assets.hpp"
#include "app/draw.hpp"
#include "app/input.hpp"
#include "app/letterbox.hpp"
#include "app/pacing.hpp"
#include "app/palette.hpp"
#include "app/return_button.hpp"
#include "app/sound.hpp"
#include "app/transitions.hpp"
#include "app/waiting.hpp"

namespace screens {

void showPage(void (*compose)(), int half, void (*drawStars)(bool firstPhase), float faintest) {
    app::fadeOut();
    compose();
    app::setTargetCanvas();
    app::fadeIn();
    int counter = 0;
    int waited = 1;
    int shownPhase = -1; // the star set last laid: 0 the first, 1 the second
    bool leaving = false;
    // The tinted stars are laid over themselves frame after frame, a phase building up its
    // colour within a few frames of its long span: each phase shows its settled look.
    const auto layStars = [&] { app::laySettled(faintest, [&] { drawStars(shownPhase == 0); }); };
    // The page as it stands: composed, the stars of the phase laid.
    const auto drawPage = [&] {
        compose();
        app::showScreenBuffer();
        if (shownPhase >= 0) {
            layStars();
        }
    };
    app::OnRescale recompose(drawPage);
    app::WaitingScreen waiting;
    while (!leaving) {
        app::pollInput();
        leaving = app::serveReturnButton(app::kPageReturn) || app::takeReturnKey();
        // The stars' two sets swap every `half` frames of a busy screen's length, also
        // while the screen sleeps between frames; at the middle of the cycle neither is
        // drawn again, so the picture stays.
        counter = (counter + waited) % (2 * half + 1);
        const int phase = counter < half ? 0 : counter > half ? 1 : shownPhase;
        const bool changed = phase != shownPhase;
        shownPhase = phase;
        if (changed) {
            layStars();
        }
        waiting.present(changed);
        app::repairReturnButton(app::kPageReturn);
        // Asleep until the next set is due, unless the player moves first.
        waiting.rest(counter < half ? half + 1 - counter : 2 * half + 1 - counter);
        waited = waiting.framesRested();
    }
}

} // namespace screens
