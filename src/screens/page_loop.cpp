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

namespace {} // namespace

void showPage(void (*compose)(), int half, void (*drawStars)(bool firstPhase)) {
    app::fadeOut();
    compose();
    app::setTargetCanvas();
    app::fadeIn();
    int counter = 0;
    int waited = 1;
    bool leaving = false;
    app::WaitingScreen waiting;
    while (!leaving) {
        app::pollInput();
        leaving = app::serveReturnButton(app::kPageReturn);
        // The stars' two phases swap every `half` frames of a busy screen's length, also
        // while the screen sleeps between frames.
        const int before = counter;
        counter = (counter + waited) % (2 * half + 1);
        const auto phase = [half](int c) { return c < half ? 0 : c > half ? 1 : 2; };
        if (counter < half) {
            drawStars(true);
        } else if (counter > half) {
            drawStars(false);
        }
        waiting.present(phase(counter) != phase(before));
        app::repairReturnButton(app::kPageReturn);
        waiting.rest();
        waited = waiting.framesRested();
    }
}

} // namespace screens
