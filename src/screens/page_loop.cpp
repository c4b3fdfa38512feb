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

void showPage(void (*compose)(), int half, void (*drawStars)(bool firstPhase)) {
    app::fadeOut();
    compose();
    app::setTargetCanvas();
    app::fadeIn();
    int counter = 0;
    int waited = 1;
    int shownPhase = -1; // the star set last drawn: 0 the first, 1 the second
    bool leaving = false;
    app::OnRescale recompose([&] {
        compose();
        app::showScreenBuffer();
        if (shownPhase >= 0) {
            drawStars(shownPhase == 0);
        }
    });
    app::WaitingScreen waiting;
    while (!leaving) {
        app::pollInput();
        leaving = app::serveReturnButton(app::kPageReturn) || app::takeReturnKey();
        // The stars' two sets swap every `half` frames of a busy screen's length, also
        // while the screen sleeps between frames; at the middle of the cycle neither is
        // drawn again, so the picture stays.
        counter = (counter + waited) % (2 * half + 1);
        const int phase = counter < half ? 0 : counter > half ? 1 : shownPhase;
        if (counter != half) {
            drawStars(phase == 0);
        }
        waiting.present(phase != shownPhase);
        shownPhase = phase;
        app::repairReturnButton(app::kPageReturn);
        // Asleep until the next set is due, unless the player moves first.
        waiting.rest(counter < half ? half + 1 - counter : 2 * half + 1 - counter);
        waited = waiting.framesRested();
    }
}

} // namespace screens
