#include "app/pacing.hpp"

#include "app/assets.hpp"
#include "app/events.hpp"
#include "app/input.hpp"
#include "app/keys.hpp"
#include "app/letterbox.hpp"
#include "app/press_rules.hpp"
#include "app/window.hpp"

#include <allegro5/allegro.h>

#include <algorithm>

namespace app {

namespace {
bool waiting = false;      // something was drawn that the display has not shown
bool composed = false;     // the back buffer holds the waiting picture already
double lastPresent = -1e9; // when the last present began
long sleeps = 0;
long presents = 0;
// When the last paced span (an animation's step, a timed sleep) was due to end. The next
// one follows on from there when it starts within kLongestLag, so the time a present
// held past its refresh, or the drawing between two animations, is made up by skipping
// pictures instead of adding up.
double pacedUntil = -1e9;

double pacedStart() {
    const double now = al_get_time();
    return now >= pacedUntil && now - pacedUntil < kLongestLag ? pacedUntil : now;
}

// A sleep may end a little before the refresh it aimed at; a present that early still
// counts as at the refresh.
constexpr double kRefreshSlack = 0.0005;
// A sleep that ends this close to its deadline has reached it: no timer is finer.
constexpr double kTimerGrain = 1e-7;

double refreshPeriod() {
    const int hz = Assets.display != nullptr ? al_get_display_refresh_rate(Assets.display) : 0;
    return 1.0 / (hz > 0 ? hz : kDefaultRefreshHz);
}

// When the display can take the next picture. Measured from the start of the last
// present: a display that holds its flips until the refresh then still takes one picture
// every refresh.
double nextRefresh() {
    const double period = refreshPeriod();
    return lastPresent + period - std::min(kRefreshSlack, period / 4);
}

// Flips the picture composed into the back buffer.
void present() {
    lastPresent = al_get_time();
    waiting = false;
    ++presents;
    // A picture asked for by an animation's step is the canvas as it stands; a window
    // resized since the picture was composed has it composed again at the new size (the
    // screen redraws after a resize in any case).
    if (!composed || resizeWaiting()) {
        composeCanvas();
    }
    composed = false;
    flipComposed();
}

bool presentIfDue() {
    const double now = al_get_time();
    // A clock that stood still or went back since the last present (only a test's virtual
    // one does: a real present takes time) leaves no refresh to wait for.
    if (waiting && (now >= nextRefresh() || now <= lastPresent)) {
        present();
        return true;
    }
    return false;
}
} // namespace

void showCanvas() {
    // The picture is composed now, so whatever the screen repairs or draws into the canvas
    // before the display can take it is not part of it.
    composeCanvas();
    composed = true;
    waiting = true;
    presentIfDue();
}

void presentNow() {
    composed = false;
    present();
}

bool pictureWaiting() {
    return waiting;
}

namespace {
// Sleeps towards `deadline` as sleepUntil does. Whatever the player does meanwhile is
// taken as it arrives, so each press is judged by the moment it was made in; when
// listening, the first event ends the sleep.
bool sleepTowards(double deadline, bool listen) {
    ++sleeps;
    for (;;) {
        presentIfDue();
        const double now = al_get_time();
        if (now >= deadline - kTimerGrain) {
            return false;
        }
        const double until = waiting ? std::min(deadline, nextRefresh()) : deadline;
        if (!listen) {
            al_rest(until - now);
            takeEvents();
        } else if (waitForEvents(until - now)) {
            presentIfDue();
            return true;
        }
    }
}
} // namespace

bool sleepUntil(double deadline, bool wakeForPlayer) {
    return sleepTowards(deadline, wakeForPlayer);
}

void sleepFor(double seconds) {
    pacedUntil = pacedStart() + seconds;
    sleepUntil(pacedUntil, false);
}

bool waitUnlessPlayerPresses(double seconds) {
    // A press that ended the fade-in before is this wait's.
    if (pressWaiting()) {
        beginWait();
        return true;
    }
    // The press that ends the wait is spent on it, as on a fade-out.
    During spending(Moment::FadingOut);
    takeFadeEnd();
    const double until = al_get_time() + seconds;
    while (sleepTowards(until, true)) {
        if (takeFadeEnd()) {
            return true;
        }
    }
    return takeFadeEnd();
}

long sleepsSoFar() {
    return sleeps;
}

void resetPacing() {
    waiting = false;
    composed = false;
    lastPresent = -1e9;
    sleeps = 0;
    pacedUntil = -1e9;
}

Pace::Pace(double rest)
    : moment_(animatingMoment()), start_(pacedStart()), step_(rest + kPresentCost) {}

bool Pace::frame(bool last) {
    ++steps_;
    double due = start_ + static_cast<double>(steps_) * step_;
    const double now = al_get_time();
    if (now - due > kLongestLag) {
        start_ += now - due - kLongestLag;
        due = now - kLongestLag;
    }
    // Nothing draws while the step sleeps: its picture is composed when it is presented,
    // and a step that is skipped costs no composing.
    waiting = true;
    composed = false;
    pacedUntil = due;
    if (!last && now >= due) {
        return false; // overdue: the next step's picture will be the one shown
    }
    const long before = presents;
    // The last picture is the one that stays, so it is always shown: at the step's end
    // or the display's next refresh, whichever is later.
    sleepUntil(last ? std::max(due, nextRefresh()) : due, false);
    return presents != before;
}

FrameClock::FrameClock(double frame)
    : frame_(frame), start_(al_get_time()), sleeps_(sleeps), presents_(presents) {}

int FrameClock::next(int ahead) {
    const bool nested = sleeps != sleeps_;
    if (nested) {
        // A loop inside the pass kept its own time: this loop's frames go on from now.
        start_ = al_get_time() - static_cast<double>(frames_) * frame_;
    }
    const double nextDue = start_ + static_cast<double>(frames_ + 1) * frame_;
    double aimed = start_ + static_cast<double>(frames_ + std::max(ahead, 1)) * frame_;
    if (sleepUntil(aimed, true)) {
        // The player did something: the next frame takes it.
        aimed = std::max(al_get_time(), nextDue);
        sleepUntil(nextDue, false);
    }
    const double now = al_get_time();
    if (now - aimed > kLongestLag) {
        start_ += now - aimed - kLongestLag;
    }
    const long due = static_cast<long>((now - start_) / frame_ + 1e-6);
    const long passed = std::max(1L, due - frames_);
    frames_ += passed;
    sleeps_ = sleeps;
    presents_ = presents;
    return static_cast<int>(std::min<long>(passed, 1L << 30));
}

} // namespace app
