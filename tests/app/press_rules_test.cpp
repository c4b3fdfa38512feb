#include "app/events.hpp"
#include "app/input.hpp"
#include "app/keys.hpp"
#include "app/press_rules.hpp"
#include "app/startup.hpp"
#include "support/allegro_standin.hpp"
#include "support/headless.hpp"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

using app::Moment;

// What the screen that runs after a moment sees of a press made during it: a click, a
// key, or a button pressed during it and still held when it ends.
struct Seen {
    bool fadeEnded;
    int buttons; // the screen's next poll
    int key;     // the key it takes next
    bool droppedClick;
    bool operator==(const Seen&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Seen& s) {
    return out << "{fade ended " << s.fadeEnded << ", buttons " << s.buttons << ", key " << s.key
               << ", dropped click " << s.droppedClick << "}";
}

enum class Press { Click, Key, Arrow, HeldDrag };

Seen pressDuring(Moment moment, Press press) {
    support::startHeadless();
    standin::setMouse(400, 300, 0);
    app::pollInput();
    {
        std::optional<app::During> during;
        if (moment != Moment::Waiting) {
            during.emplace(moment);
        }
        app::takeFadeEnd();
        switch (press) {
        case Press::Click:
            standin::quickClick(400, 300, app::kLeftButton);
            break;
        case Press::Key:
            standin::pressKey(ALLEGRO_KEY_M, 'm');
            break;
        case Press::Arrow:
            standin::pressKey(ALLEGRO_KEY_LEFT, 0);
            break;
        case Press::HeldDrag:
            standin::setMouse(400, 300, app::kLeftButton);
            break;
        }
        app::takeEvents();
    }
    Seen seen{app::takeFadeEnd(), 0, 0, false};
    app::pollInput();
    seen.buttons = app::InputState.buttons;
    seen.key = app::takeKey();
    int x = 0;
    int y = 0;
    seen.droppedClick = app::takeDroppedClick(x, y);
    return seen;
}

// Who takes a press: the moment it is made in decides, once, as it arrives.
TEST(Presses, BelongToWhatThePlayerSawWhenMakingThem) {
    constexpr int L = app::kLeftButton;
    constexpr int M = ALLEGRO_KEY_M;
    constexpr int Left = ALLEGRO_KEY_LEFT;
    struct Case {
        const char* what;
        Moment moment;
        Press press;
        Seen seen;
    };
    const Case cases[] = {
        {"a click on a screen that waits", Moment::Waiting, Press::Click, {false, L, 0, false}},
        {"a key on a screen that waits", Moment::Waiting, Press::Key, {false, 0, M, false}},
        {"a click ends a fade-in and the screen takes it",
         Moment::FadingIn,
         Press::Click,
         {true, L, 0, false}},
        {"a key ends a fade-in and the screen takes it",
         Moment::FadingIn,
         Press::Key,
         {true, 0, M, false}},
        {"a button held through a fade-in is the screen's",
         Moment::FadingIn,
         Press::HeldDrag,
         {true, L, 0, false}},
        {"a click ends a fade-out and is spent on it",
         Moment::FadingOut,
         Press::Click,
         {true, 0, 0, false}},
        {"a key ends a fade-out and is spent on it",
         Moment::FadingOut,
         Press::Key,
         {true, 0, 0, false}},
        {"a button held from a fade-out is no one's",
         Moment::FadingOut,
         Press::HeldDrag,
         {true, 0, 0, false}},
        {"a click on a moving board is dropped, and says so",
         Moment::Animating,
         Press::Click,
         {false, 0, 0, true}},
        {"M on a moving board does not leave the game later",
         Moment::Animating,
         Press::Key,
         {false, 0, 0, false}},
        {"an arrow on a moving board walks the cursor",
         Moment::Animating,
         Press::Arrow,
         {false, 0, Left, false}},
        {"a drag begun on a moving board is taken once it settles",
         Moment::Animating,
         Press::HeldDrag,
         {false, L, 0, false}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(pressDuring(c.moment, c.press), c.seen);
    }
}

// A wait (a dialog's question, "Dalej", the pause) takes only what is pressed while it
// shows: a key held from before repeats into nothing, a button held from before counts
// only once let go and pressed again, and what was waiting is forgotten.
TEST(Presses, AWaitTakesOnlyWhatIsPressedWhileItShows) {
    support::startHeadless();
    standin::setMouse(400, 300, app::kLeftButton);
    standin::pressKey(ALLEGRO_KEY_Z, 'z');
    app::takeEvents();
    // Space goes down and stays down (the stand-in's keys are let go at once).
    app::noteKeyDown(ALLEGRO_KEY_SPACE);
    app::noteKeyChar(ALLEGRO_KEY_SPACE, ' ', false);

    app::beginWait();
    app::noteKeyChar(ALLEGRO_KEY_SPACE, ' ', true);
    app::pollInput();
    EXPECT_EQ(app::InputState.buttons, 0) << "the button held from before";
    EXPECT_EQ(app::takeKey(), 0) << "the key waiting and the held one's repeat";

    standin::setMouse(400, 300, 0);
    standin::quickClick(400, 300, app::kLeftButton);
    standin::pressKey(ALLEGRO_KEY_ENTER, 13);
    app::pollInput();
    EXPECT_EQ(app::InputState.buttons, app::kLeftButton);
    EXPECT_EQ(app::takeKey(), ALLEGRO_KEY_ENTER);
}

// The stand-in delivers pointer motion as events: a screen's poll sees the pointer where
// the last motion left it, and a sleep that listens ends at the first motion.
TEST(Presses, PointerMotionArrivesAsEventsAndWakesASleep) {
    support::startHeadless();
    standin::setMouse(100, 100, 0);
    standin::setMouse(120, 110, 0);
    EXPECT_TRUE(app::waitForEvents(1.0)) << "the motion ended the sleep";
    EXPECT_LT(standin::log().clock, 1e-9);
    app::pollInput();
    EXPECT_EQ(std::pair(app::InputState.x, app::InputState.y), std::pair(120, 110));
    EXPECT_FALSE(app::waitForEvents(0.5)) << "nothing moved";
}

} // namespace
