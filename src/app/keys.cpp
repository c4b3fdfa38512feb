#include "app/keys.hpp"

#include "app/events.hpp"
#include "app/input.hpp"
#include "app/press_rules.hpp"

#include <allegro5/allegro.h>

#include <deque>
#include <set>

namespace app {

namespace {
struct WaitingKey {
    KeyPress press;
    Point pointer; // in the window's pixels, when the key went down
    bool told = false;
};
std::deque<WaitingKey> waitingKeys;
std::set<int> heldKeys;    // down now
std::set<int> heldOffKeys; // held since before the wait or fade that shows: never its
bool fadeEnded = false;
} // namespace

void noteKeyDown(int keycode) {
    heldKeys.insert(keycode);
}

void noteKeyUp(int keycode) {
    heldKeys.erase(keycode);
    heldOffKeys.erase(keycode);
}

void noteKeyChar(int keycode, int unichar, bool repeat) {
    if (heldOffKeys.count(keycode) != 0) {
        return;
    }
    const Fate fate = fateOf(currentMoment(), PressKind::Key, keycode);
    if (fate == Fate::Spent || fate == Fate::EndsFadeTaken) {
        noteFadeEnded();
    }
    if (fate == Fate::Spent) {
        // Its repeats are spent on the fade too.
        heldOffKeys.insert(keycode);
    }
    if (reachesScreen(fate)) {
        waitingKeys.push_back({{keycode, unichar, repeat}, pointerInWindow()});
    }
}

bool takeKeyPress(KeyPress& press) {
    takeEvents();
    if (waitingKeys.empty()) {
        return false;
    }
    press = waitingKeys.front().press;
    waitingKeys.pop_front();
    return true;
}

bool tellKeyPointer(Point& pointer) {
    for (WaitingKey& key : waitingKeys) {
        if (!key.told) {
            key.told = true;
            pointer = key.pointer;
            return true;
        }
    }
    return false;
}

int takeKey(bool repeats) {
    KeyPress press;
    while (takeKeyPress(press)) {
        if (repeats || !press.repeat) {
            return press.keycode;
        }
    }
    return 0;
}

bool keyWaiting() {
    takeEvents();
    return !waitingKeys.empty();
}

void forgetKeys() {
    waitingKeys.clear();
}

void resetKeys() {
    waitingKeys.clear();
    heldKeys.clear();
    heldOffKeys.clear();
    fadeEnded = false;
}

void holdOffKeys() {
    heldOffKeys = heldKeys;
}

void noteFadeEnded() {
    fadeEnded = true;
}

bool takeFadeEnd() {
    takeEvents();
    const bool ended = fadeEnded;
    fadeEnded = false;
    return ended;
}

bool pressWaiting() {
    return keyWaiting() || buttonWaiting();
}

bool isChoiceKey(int key) {
    return key == ALLEGRO_KEY_ENTER || key == ALLEGRO_KEY_PAD_ENTER || key == ALLEGRO_KEY_SPACE;
}

} // namespace app
