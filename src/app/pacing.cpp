#include "app/pacing.hpp"

#include "app/input.hpp"
#include "app/letterbox.hpp"

#include <allegro5/allegro.h>

#include <algorithm>

namespace app {

namespace {
// What one flip costs on a display that keeps up, beside the loop's own rest.
constexpr double kPresentCost = kNominalFrame - kFrameRest;
// The lag is never carried further than this: a longer one was a stall (the window
// moved, the machine suspended) or the flips of a screen that only waits for the player,
// not time the game should make up by skipping.
constexpr double kLongestLag = 0.05;

double lag = 0.0;
} // namespace

void flipDisplay() {
    const double started = al_get_time();
    presentCanvas();
    lag = std::clamp(lag + (al_get_time() - started) - kPresentCost, 0.0, kLongestLag);
}

double presentLag() {
    return lag;
}

void resetPacing() {
    lag = 0.0;
}

Pace::Pace(double rest) : rest_(rest), nominal_(rest + kPresentCost) {}

void Pace::rest() {
    if (rest_ > 0.0) {
        al_rest(rest_);
    }
}

int Pace::count() {
    const int extra = static_cast<int>(lag / nominal_);
    lag -= extra * nominal_;
    return 1 + extra;
}

int Pace::present() {
    rest();
    flipDisplay();
    return count();
}

int Pace::presentThenRest() {
    flipDisplay();
    rest();
    return count();
}

bool Pace::behind(bool last) {
    if (last || lag < nominal_) {
        return false;
    }
    lag -= nominal_;
    return true;
}

bool Pace::frame(bool last) {
    if (behind(last)) {
        return false;
    }
    rest();
    flipDisplay();
    return true;
}

bool Pace::frameThenRest(bool last) {
    if (behind(last)) {
        return false;
    }
    flipDisplay();
    rest();
    return true;
}

} // namespace app
