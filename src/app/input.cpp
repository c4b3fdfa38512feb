#include "app/input.hpp"

#include "app/keys.hpp"
#include "app/letterbox.hpp"
#include "app/window.hpp"

namespace app {

InputStateRecord InputState;
ALLEGRO_MOUSE_STATE mouseState{};

namespace {
ALLEGRO_EVENT_QUEUE* mouseQueue = nullptr;
// How recent a press let go before the read must be to count: a click during a long
// animation or a fade, when nothing reads the mouse, is not acted on long after.
constexpr double kRecentPress = 0.25;
} // namespace

void watchMouse() {
    mouseQueue = al_create_event_queue();
    if (mouseQueue != nullptr) {
        al_register_event_source(mouseQueue, al_get_mouse_event_source());
    }
}

void forgetMouse() {
    mouseQueue = nullptr;
}

void readMouse(ALLEGRO_MOUSE_STATE& state) {
    al_get_mouse_state(&state);
    int x = state.x;
    int y = state.y;
    ALLEGRO_EVENT event;
    const double now = al_get_time();
    while (mouseQueue != nullptr && al_get_next_event(mouseQueue, &event)) {
        const unsigned button = event.mouse.button;
        if (event.type != ALLEGRO_EVENT_MOUSE_BUTTON_DOWN || button < 1 || button > 8) {
            continue;
        }
        const bool held = (state.buttons & (1 << (button - 1))) != 0;
        if (!held && now - event.mouse.timestamp > kRecentPress) {
            continue;
        }
        const int bit = 1 << (button - 1);
        // A press still held counts from where it went down: a drag begun while the
        // board was moving starts on the cell the player pressed.
        state.buttons |= bit;
        x = event.mouse.x;
        y = event.mouse.y;
    }
    const Point at = toPicture(shownLetterbox(), x, y);
    state.x = at.x;
    state.y = at.y;
}

bool mousePressWaiting() {
    ALLEGRO_EVENT event;
    while (mouseQueue != nullptr && al_peek_next_event(mouseQueue, &event)) {
        if (event.type == ALLEGRO_EVENT_MOUSE_BUTTON_DOWN) {
            return true;
        }
        al_drop_next_event(mouseQueue);
    }
    return false;
}

void forgetPresses() {
    if (mouseQueue != nullptr) {
        al_flush_event_queue(mouseQueue);
    }
    forgetKeys();
}

void pollInput() {
    answerWindow();
    InputState.hover = 0;
    InputState.x = mouseState.x;
    InputState.y = mouseState.y;
    InputState.buttons = mouseState.buttons;
    readMouse(mouseState);
}

bool mouseAhead() {
    const InputStateRecord& in = InputState;
    return mouseState.x != in.x || mouseState.y != in.y || mouseState.buttons != in.buttons;
}

} // namespace app
