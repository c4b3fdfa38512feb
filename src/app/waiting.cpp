#include "app/waiting.hpp"

#include "app/input.hpp"
#include "app/pacing.hpp"
#include "app/window.hpp"

#include <allegro5/allegro.h>

#include <algorithm>
#include <cmath>

namespace app {

void waitForPlayer() {
    sleepUntil(al_get_time() + kLongestSleep, true);
}

bool WaitingScreen::present(bool changed) {
    const InputStateRecord& in = InputState;
    // A resized or uncovered window lost the picture it showed: show it again.
    presented_ = takeWindowChange() || changed || in.x != x_ || in.y != y_ ||
                 in.buttons != buttons_ || in.hover != hover_;
    if (presented_) {
        x_ = in.x;
        y_ = in.y;
        buttons_ = in.buttons;
        hover_ = in.hover;
        showCanvas();
    }
    return presented_;
}

void WaitingScreen::rest(int framesAhead) {
    const double started = al_get_time();
    const double longest = std::min(kLongestSleep, framesAhead * kNominalFrame);
    sleepUntil(started + std::max(longest, kNominalFrame), true);
    framesRested_ =
        std::max(1, static_cast<int>(std::floor((al_get_time() - started) / kNominalFrame + 1e-6)));
}

} // namespace app
