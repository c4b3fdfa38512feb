#include "app/events.hpp"

#include "app/assets.hpp"
#include "app/input.hpp"
#include "app/keys.hpp"
#include "app/sound.hpp"
#include "app/window.hpp"

#include <allegro5/allegro.h>

#include <algorithm>
#include <utility>

namespace app {

namespace {
ALLEGRO_EVENT_QUEUE* queue = nullptr;
bool unseen = false; // events read that no poll or wait has looked at since

void handOn(const ALLEGRO_EVENT& event) {
    unseen = true;
    switch (event.type) {
    case ALLEGRO_EVENT_MOUSE_AXES:
    case ALLEGRO_EVENT_MOUSE_WARPED:
    case ALLEGRO_EVENT_MOUSE_ENTER_DISPLAY:
        notePointer(event.mouse.x, event.mouse.y);
        break;
    case ALLEGRO_EVENT_MOUSE_BUTTON_DOWN:
    case ALLEGRO_EVENT_MOUSE_BUTTON_UP:
        noteButton(static_cast<int>(event.mouse.button),
                   event.type == ALLEGRO_EVENT_MOUSE_BUTTON_DOWN, event.mouse.x, event.mouse.y);
        break;
    case ALLEGRO_EVENT_KEY_DOWN:
        // F11 is the window's at every moment, never a screen's key.
        if (event.keyboard.keycode == ALLEGRO_KEY_F11) {
            noteFullScreenKey();
        }
        noteKeyDown(event.keyboard.keycode);
        break;
    case ALLEGRO_EVENT_KEY_UP:
        noteKeyUp(event.keyboard.keycode);
        break;
    case ALLEGRO_EVENT_KEY_CHAR:
        if (event.keyboard.keycode != ALLEGRO_KEY_F11) {
            noteKeyChar(event.keyboard.keycode, event.keyboard.unichar, event.keyboard.repeat);
        }
        break;
    default:
        noteWindowEvent(event);
        break;
    }
}
} // namespace

void openEvents() {
    queue = al_create_event_queue();
    if (queue == nullptr) {
        return;
    }
    if (Assets.display != nullptr) {
        al_register_event_source(queue, al_get_display_event_source(Assets.display));
    }
    // Start-up ends the program when the mouse or the keyboard is missing.
    al_register_event_source(queue, al_get_mouse_event_source());
    al_register_event_source(queue, al_get_keyboard_event_source());
    // Where the pointer stands before it first moves; from here on events tell it.
    ALLEGRO_MOUSE_STATE state;
    al_get_mouse_state(&state);
    notePointer(state.x, state.y);
}

void closeEvents() {
    queue = nullptr;
    unseen = false;
}

bool takeEvents() {
    if (queue == nullptr) {
        return false;
    }
    bool any = false;
    ALLEGRO_EVENT event;
    while (al_get_next_event(queue, &event)) {
        handOn(event);
        any = true;
    }
    return any;
}

void eventsSeen() {
    unseen = false;
}

bool waitForEvents(double seconds) {
    if (queue == nullptr) {
        al_rest(seconds);
        return false;
    }
    if (takeEvents() || std::exchange(unseen, false)) {
        return true;
    }
    // The sound device stops once nothing sounds: a sleep that outlasts the last sound
    // wakes when it is over to stop the device, then sleeps on.
    const double until = al_get_time() + seconds;
    for (;;) {
        quietAudio();
        const double now = al_get_time();
        const double wake = std::min(until, audioQuietAt());
        ALLEGRO_EVENT event;
        if (al_wait_for_event_timed(queue, &event, static_cast<float>(std::max(wake - now, 0.0)))) {
            handOn(event);
            takeEvents();
            return true;
        }
        if (wake >= until) {
            return false;
        }
    }
}

} // namespace app
