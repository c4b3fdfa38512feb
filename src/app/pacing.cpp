#include "app/pacing.hpp"

#include "app/assets.hpp"
#include "app/input.hpp"
#include "app/letterbox.hpp"

#include <allegro5/allegro.h>

#include <algorithm>

namespace app {

namespace {
ALLEGRO_EVENT_QUEUE* playerQueue = nullptr;
bool waiting = false;      // something was drawn that the display has not shown
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

void present() {
    lastPresent = al_get_time();
    waiting = false;
    ++presents;
    presentCanvas();
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
    waiting = true;
    presentIfDue();
}

void presentNow() {
    present();
}

bool pictureWaiting() {
    return waiting;
}

void watchPlayer() {
    playerQueue = al_create_event_queue();
    if (playerQueue == nullptr) {
        return;
    }
    al_register_event_source(playerQueue, al_get_mouse_event_source());
    al_register_event_source(playerQueue, al_get_keyboard_event_source());
    if (Assets.display != nullptr) {
        al_register_event_source(playerQueue, al_get_display_event_source(Assets.display));
    }
}

namespace {
// Sleeps towards `deadline` as sleepUntil does. When listening, the player's first event
// ends it: taken into `event` when one is asked for (the rest stay queued), otherwise
// the queue is emptied, as the screens read the mouse and their own key queues.
bool sleepTowards(double deadline, bool listen, ALLEGRO_EVENT* event) {
    ++sleeps;
    for (;;) {
        presentIfDue();
        const double now = al_get_time();
        if (now >= deadline - kTimerGrain) {
            return false;
        }
        const double until = waiting ? std::min(deadline, nextRefresh()) : deadline;
        if (!listen || playerQueue == nullptr) {
            al_rest(until - now);
        } else if (al_wait_for_event_timed(playerQueue, event, static_cast<float>(until - now))) {
            if (event == nullptr) {
                al_flush_event_queue(playerQueue);
            }
            presentIfDue();
            return true;
        }
    }
}
} // namespace

bool sleepUntil(double deadline, bool wakeForPlayer) {
    return sleepTowards(deadline, wakeForPlayer, nullptr);
}

void sleepFor(double seconds) {
    pacedUntil = pacedStart() + seconds;
    sleepUntil(pacedUntil, false);
}

bool waitUnlessPlayerPresses(double seconds) {
    const double until = al_get_time() + seconds;
    ALLEGRO_EVENT event;
    while (sleepTowards(until, true, &event)) {
        if (event.type != ALLEGRO_EVENT_KEY_DOWN && event.type != ALLEGRO_EVENT_MOUSE_BUTTON_DOWN) {
            continue;
        }
        al_flush_event_queue(playerQueue);
        ALLEGRO_MOUSE_STATE mouse;
        for (al_get_mouse_state(&mouse); mouse.buttons != 0; al_get_mouse_state(&mouse)) {
            sleepUntil(al_get_time() + kNominalFrame, true);
        }
        forgetPresses();
        return true;
    }
    return false;
}

long sleepsSoFar() {
    return sleeps;
}

void resetPacing() {
    playerQueue = nullptr;
    waiting = false;
    lastPresent = -1e9;
    sleeps = 0;
    pacedUntil = -1e9;
}

Pace::Pace(double rest) : start_(pacedStart()), step_(rest + kPresentCost) {}

bool Pace::frame(bool last) {
    ++steps_;
    double due = start_ + static_cast<double>(steps_) * step_;
    const double now = al_get_time();
    if (now - due > kLongestLag) {
        start_ += now - due - kLongestLag;
        due = now - kLongestLag;
    }
    waiting = true;
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
    // A pass that showed its own picture and has only a frame to wait does not listen
    // for the player: the next pass polls within the frame anyway.
    const bool listen = ahead > 1 || nested || presents == presents_;
    const double nextDue = start_ + static_cast<double>(frames_ + 1) * frame_;
    double aimed = start_ + static_cast<double>(frames_ + std::max(ahead, 1)) * frame_;
    if (sleepUntil(aimed, listen)) {
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
