#include "app/waiting.hpp"

#include "app/assets.hpp"
#include "app/input.hpp"
#include "app/pacing.hpp"

#include <allegro5/allegro.h>

#include <algorithm>
#include <utility>

namespace app {

namespace {
ALLEGRO_EVENT_QUEUE* playerQueue = nullptr;
int pressed = 0; // buttons pressed since the last takePresses

// Takes every queued event, noting the presses.
void drainPlayerQueue() {
    ALLEGRO_EVENT event;
    while (al_get_next_event(playerQueue, &event)) {
        if (event.type == ALLEGRO_EVENT_MOUSE_BUTTON_DOWN && event.mouse.button >= 1 &&
            event.mouse.button <= 16) {
            pressed |= 1 << (event.mouse.button - 1);
        }
    }
}
} // namespace

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

void waitForPlayer() {
    if (playerQueue == nullptr) {
        al_rest(kIdleWait);
        return;
    }
    // The event that ends the sleep stays queued: a press among them is noted below.
    al_wait_for_event_timed(playerQueue, nullptr, static_cast<float>(kIdleWait));
    // The screens read the mouse's state and their own key queues; of these events only
    // the presses matter, for the next poll.
    drainPlayerQueue();
}

bool waitUnlessPlayerPresses(double seconds) {
    if (playerQueue == nullptr) {
        al_rest(seconds);
        return false;
    }
    const double until = al_get_time() + seconds;
    for (double left = seconds; left > 0; left = until - al_get_time()) {
        ALLEGRO_EVENT event;
        if (!al_wait_for_event_timed(playerQueue, &event, static_cast<float>(left))) {
            continue;
        }
        if (event.type == ALLEGRO_EVENT_KEY_DOWN || event.type == ALLEGRO_EVENT_MOUSE_BUTTON_DOWN) {
            al_flush_event_queue(playerQueue);
            ALLEGRO_MOUSE_STATE mouse;
            for (al_get_mouse_state(&mouse); mouse.buttons != 0; al_get_mouse_state(&mouse)) {
                al_rest(kFrameRest);
            }
            pressed = 0;
            return true;
        }
    }
    return false;
}

int takePresses() {
    if (playerQueue != nullptr) {
        drainPlayerQueue();
    }
    return std::exchange(pressed, 0);
}

bool WaitingScreen::present(bool changed) {
    const InputStateRecord& in = InputState;
    presented_ =
        changed || in.x != x_ || in.y != y_ || in.buttons != buttons_ || in.hover != hover_;
    if (presented_) {
        x_ = in.x;
        y_ = in.y;
        buttons_ = in.buttons;
        hover_ = in.hover;
        flipDisplay();
    }
    return presented_;
}

void WaitingScreen::rest() {
    if (presented_) {
        al_rest(kFrameRest);
        framesRested_ = 1;
        return;
    }
    const double started = al_get_time();
    waitForPlayer();
    framesRested_ = std::max(1, static_cast<int>((al_get_time() - started) / kNominalFrame));
}

} // namespace app
