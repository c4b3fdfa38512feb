#pragma once

#include "app/press_rules.hpp"

// The game counts in frames: animations advance one step and the timed game's clock one
// tick per frame. A frame is a span of wall-clock time, the same on every machine and
// every display, and a picture is something the display shows at its own pace: at most
// once per refresh, and only when something was drawn since the last one. Between
// pictures the game sleeps until the next frame that can change something is due, or
// until the player does something. Every frame's rules still run in their order; a
// frame whose picture nobody would see is only drawn, not presented.
namespace app {

// One frame of the game loop: the length the game's frames were measured at.
inline constexpr double kNominalFrame = 1.0 / 750;

// What one present cost on the display the frames were measured on, beside a loop's rest:
// an animation step resting `rest` seconds lasts rest + kPresentCost.
inline constexpr double kPresentCost = kNominalFrame - 0.001;

// A loop that fell further behind its frames than this was stalled (the window moved,
// the machine suspended): the time beyond it is not made up.
inline constexpr double kLongestLag = 0.05;

// The refresh assumed when the display does not tell its own.
inline constexpr int kDefaultRefreshHz = 60;

// Asks for the canvas to be shown: presented at once when the display can take a picture
// (a refresh has passed since the last), otherwise by the next sleep that reaches the
// display's next refresh.
void showCanvas();

// Presents the canvas now, however recently the last picture was shown: what the player
// must see before something long happens (a window switch).
void presentNow();

// Whether a picture was asked for and not yet shown (for the tests).
bool pictureWaiting();

// Sleeps until al_get_time() reaches `deadline`; with `wakeForPlayer`, wakes early when
// the player moves the mouse, presses or lets go of a button or key, or the window has
// news, and returns true then. A picture waiting to be shown is presented when the
// display can take it, without ending the sleep.
bool sleepUntil(double deadline, bool wakeForPlayer);

// Sleeps `seconds`, showing a waiting picture in time.
void sleepFor(double seconds);

// Sleeps for `seconds` unless the player presses a key or a mouse button first; returns
// whether they did. The press is spent on the wait: the next screen never takes it.
bool waitUnlessPlayerPresses(double seconds);

// How many sleeps began so far: a counted loop whose frame ran a loop of its own (an
// animation, a dialog) sees it here and starts its time over after it.
long sleepsSoFar();

// No picture waiting, none presented (game::resetProcessState).
void resetPacing();

// The steps of one animation, each lasting `rest` + kPresentCost seconds from the step
// before, whatever presenting costs. While they run the picture moves: a press then is
// judged as made during an animation (app/press_rules.hpp), unless a fade runs them.
class Pace {
  public:
    explicit Pace(double rest);

    // Ends one step whose picture was drawn: asks for it to be shown and sleeps until the
    // step's time is over. A step already overdue returns at once without presenting, so
    // the loop only draws it; the last step is always shown before it returns. Returns
    // whether the step's picture was presented.
    bool frame(bool last = false);

  private:
    During moment_;
    double start_;
    double step_;
    long steps_ = 0;
};

// The frames of a loop that counts them (the game loop, a held drag, the hint's blink):
// every call ends one pass of the loop and says how many frames of `frame` seconds the
// pass stood for.
class FrameClock {
  public:
    explicit FrameClock(double frame = kNominalFrame);

    // Shows a waiting picture when the display can take it, and sleeps until the frame
    // `ahead` frames on is due (the next frame that can change something), or, when
    // `ahead` is more than one, until the player does something, and then on to the next
    // frame. Returns how many frames have come due since the last call, at least 1; the
    // time a loop inside the pass spent is not counted, nor a stall beyond kLongestLag.
    int next(int ahead = 1);

  private:
    double frame_;
    double start_;
    long frames_ = 0;
    long sleeps_;
    long presents_;
};

} // namespace app
