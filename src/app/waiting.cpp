#include "app/waiting.hpp"

#include "app/assets.hpp"
#include "app/input.hpp"
#include "app/pacing.hpp"
#include "app/window.hpp"

#include <allegro5/allegro.h>

#include <algorithm>
#include <utility>

namespace app {

namespace {
ALLEGRO_EVENT_QUEUE* playerQueue = nullptr;
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

void forgetPlayerQueue() {
    playerQueue = nullptr;
}

void waitForPlayer() {
    if (playerQueue == nullptr) {
        al_rest(kIdleWait);
        return;
    }
    // The screens read the mouse, its presses and their own key queues; these events only
    // wake the sleep.
    al_wait_for_event_timed(playerQueue, nullptr, static_cast<float>(kIdleWait));
    al_flush_event_queue(playerQueue);
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
            forgetPresses();
            return true;
        }
    }
    return false;
}

bool WaitingScreen::present(bool changed) {
    const InputStateRecord& in = InputState;
    // A resized or uncovered window lost the picture it showed: present it again.
    presented_ = takeWindowChange() || changed || in.x != x_ || in.y != y_ ||
                 in.buttons != buttons_ || in.hover != hover_;
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
