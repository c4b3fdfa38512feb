#include "app/keys.hpp"

#include "app/input.hpp"

namespace app {

namespace {
ALLEGRO_EVENT_QUEUE* keys = nullptr;

// A key going down, or held and repeating: KEY_DOWN comes before the first character and
// a held key posts characters only, so the screens read characters.
bool isPress(const ALLEGRO_EVENT& event) {
    return event.type == ALLEGRO_EVENT_KEY_CHAR;
}
} // namespace

void watchKeys() {
    keys = al_create_event_queue();
    if (keys != nullptr) {
        al_register_event_source(keys, al_get_keyboard_event_source());
    }
}

ALLEGRO_EVENT_QUEUE* keyQueue() {
    return keys;
}

int pressedKey(const ALLEGRO_EVENT& event) {
    return isPress(event) ? event.keyboard.keycode : 0;
}

int takeKey(bool repeats) {
    ALLEGRO_EVENT event;
    while (keys != nullptr && al_get_next_event(keys, &event)) {
        if (isPress(event) && (repeats || !event.keyboard.repeat)) {
            return event.keyboard.keycode;
        }
    }
    return 0;
}

void forgetKeys() {
    if (keys != nullptr) {
        al_flush_event_queue(keys);
    }
}

void dropKeyQueue() {
    keys = nullptr;
}

bool pressWaiting() {
    ALLEGRO_EVENT event;
    // What stands before a press (a key let go) is of no use to anyone.
    while (keys != nullptr && al_peek_next_event(keys, &event)) {
        if (event.type == ALLEGRO_EVENT_KEY_DOWN || isPress(event)) {
            return true;
        }
        al_drop_next_event(keys);
    }
    return mousePressWaiting();
}

bool isChoiceKey(int key) {
    return key == ALLEGRO_KEY_ENTER || key == ALLEGRO_KEY_PAD_ENTER || key == ALLEGRO_KEY_SPACE;
}

} // namespace app
