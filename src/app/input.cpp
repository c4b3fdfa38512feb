#include "app/input.hpp"

#include "app/events.hpp"
#include "app/keys.hpp"
#include "app/letterbox.hpp"
#include "app/pacing.hpp"
#include "app/press_rules.hpp"
#include "app/window.hpp"

#include <allegro5/allegro.h>

namespace app {

InputStateRecord InputState;

namespace {
// The hand on the mouse, as the events told it, in the window's pixels.
struct Hand {
    int x = 0;
    int y = 0;
    int held = 0;         // buttons down now
    int spent = 0;        // held, but pressed before the wait or during a fade-out: no one's
    int unseen = 0;       // pressed and not yet reported by a poll
    int clicked = 0;      // pressed and let go again before a poll reported them
    int moving = 0;       // pressed while the board moved
    Point downAt{};       // where the last press went down
    bool dropped = false; // a click while the board moved, let go before it settled
    Point droppedAt{};
};
Hand hand;

int bitOf(int button) {
    return button >= 1 && button <= 8 ? 1 << (button - 1) : 0;
}

Point inPicture(int x, int y) {
    return toPicture(shownLetterbox(), x, y);
}
} // namespace

void notePointer(int x, int y) {
    hand.x = x;
    hand.y = y;
}

void noteButton(int button, bool down, int x, int y) {
    const int bit = bitOf(button);
    if (bit == 0) {
        return;
    }
    hand.x = x;
    hand.y = y;
    if (!down) {
        hand.held &= ~bit;
        if ((hand.spent & bit) != 0) {
            hand.spent &= ~bit;
        } else if ((hand.moving & bit) != 0) {
            // Made and let go on a board that moved: aimed at nothing the player could see.
            if ((hand.unseen & bit) != 0) {
                hand.dropped = true;
                hand.droppedAt = hand.downAt;
            }
        } else if ((hand.unseen & bit) != 0) {
            hand.clicked |= bit;
        }
        hand.unseen &= ~bit;
        hand.moving &= ~bit;
        return;
    }
    hand.held |= bit;
    const Fate fate = fateOf(currentMoment(), PressKind::Button);
    if (fate == Fate::Spent) {
        hand.spent |= bit;
        noteFadeEnded();
        return;
    }
    if (fate == Fate::EndsFadeTaken) {
        noteFadeEnded();
    }
    hand.unseen |= bit;
    hand.downAt = {x, y};
    if (fate == Fate::Dropped) {
        hand.moving |= bit;
    }
}

void pollInput() {
    takeEvents();
    answerWindow();
    InputStateRecord& in = InputState;
    in.hover = 0;
    const int fresh = hand.unseen | hand.clicked;
    Point shown{hand.x, hand.y};
    if (fresh != 0) {
        shown = hand.downAt;
    } else if (Point keyAt{}; tellKeyPointer(keyAt)) {
        shown = keyAt;
    }
    // Moves the pointer made after the key stay unseen, so that the next pass comes at once.
    if (fresh != 0 || (shown.x == hand.x && shown.y == hand.y)) {
        eventsSeen();
    }
    const Point at = inPicture(shown.x, shown.y);
    in.x = at.x;
    in.y = at.y;
    in.buttons = (hand.held & ~hand.spent) | hand.clicked;
    // A press held on from a moving board is the screen's once it has seen it.
    hand.unseen = 0;
    hand.clicked = 0;
    hand.moving = 0;
}

Point pointerInWindow() {
    return {hand.x, hand.y};
}

bool buttonWaiting() {
    takeEvents();
    return (hand.unseen | hand.clicked) != 0;
}

void waitForRelease() {
    for (;;) {
        takeEvents();
        answerWindow();
        if (hand.held == 0 || closeWaiting()) {
            return;
        }
        // Nothing to do until the hand moves: the sleep ends with the next event.
        sleepUntil(al_get_time() + 1.0, true);
    }
}

bool takeDroppedClick(int& x, int& y) {
    if (!hand.dropped) {
        return false;
    }
    hand.dropped = false;
    const Point at = inPicture(hand.droppedAt.x, hand.droppedAt.y);
    x = at.x;
    y = at.y;
    return true;
}

void beginWait() {
    takeEvents();
    hand.spent |= hand.held;
    hand.unseen = hand.clicked = hand.moving = 0;
    hand.dropped = false;
    forgetKeys();
    holdOffKeys();
}

void forgetInput() {
    hand = Hand{};
    InputState = InputStateRecord{};
    resetKeys();
}

} // namespace app
