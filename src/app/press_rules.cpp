#include "app/press_rules.hpp"

#include "app/input.hpp"

#include <allegro5/allegro.h>

namespace app {

namespace {
Moment moment = Moment::Waiting;

// What the player may do to a board that moves: walk the cursor, which is only a frame,
// and pause the timed game once the board has settled.
bool waitsForBoard(int keycode) {
    switch (keycode) {
    case ALLEGRO_KEY_LEFT:
    case ALLEGRO_KEY_RIGHT:
    case ALLEGRO_KEY_UP:
    case ALLEGRO_KEY_DOWN:
    case ALLEGRO_KEY_ESCAPE:
    case ALLEGRO_KEY_P:
        return true;
    default:
        return false;
    }
}

} // namespace

Fate fateOf(Moment m, PressKind kind, int keycode) {
    switch (m) {
    case Moment::Waiting:
        return Fate::Taken;
    case Moment::FadingIn:
        return Fate::EndsFadeTaken;
    case Moment::FadingOut:
        return Fate::Spent;
    case Moment::Animating:
        return kind == PressKind::Key && waitsForBoard(keycode) ? Fate::Taken : Fate::Dropped;
    }
    return Fate::Dropped;
}

Moment currentMoment() {
    return moment;
}

During::During(Moment m) : previous_(moment) {
    // A screen that leaves lets go of what it did not take; what was pressed before a
    // board began to move was aimed at a board at rest, and stays.
    if (m == Moment::FadingOut && moment != Moment::FadingOut) {
        beginWait();
    }
    moment = m;
}

Moment animatingMoment() {
    return moment == Moment::Waiting ? Moment::Animating : moment;
}

During::~During() {
    moment = previous_;
}

void resetMoment() {
    moment = Moment::Waiting;
}

} // namespace app
