#pragma once

// The game counts in frames: animations advance one step and the timed game's clock one
// tick per frame. Those frames were measured on a display that shows each picture as soon
// as it is flipped; a display that waits for its refresh (60 Hz on most desktops) makes
// every flip last up to 1/60 s, which would stretch every animation and the clock twelve
// times. The game's flips therefore note how far presenting has fallen behind that pace,
// and each counted loop (a Pace) turns the lag into frames: the game loop counts them on
// the clock, an animation passes them without presenting. On a display that keeps up,
// every frame is presented and counts once, exactly as before.
namespace app {

// One frame of the game loop as measured on such a display: 1 ms of rest and the rest
// of the time presenting.
inline constexpr double kNominalFrame = 1.0 / 750;

// Presents the canvas (app::presentCanvas) and notes how much longer than on a display
// that keeps up it took.
void flipDisplay();

// The lag not yet turned into frames, in seconds (for the tests).
double presentLag();

// No lag, as at start-up (app::resetProcessState).
void resetPacing();

// The pace of one counted loop, whose every frame rests `rest` seconds and presents once.
class Pace {
  public:
    explicit Pace(double rest);

    // Rests and flips, and returns how many of the loop's frames that stood for (at least
    // 1): more when presenting fell behind.
    int present();
    // The same with the flip before the rest.
    int presentThenRest();
    // For a loop that rests and flips on its own: the loop's rest, and the frames its
    // last flips and rest stood for.
    void rest();
    int count();

    // One frame of an animation: presents it (resting first) and returns true, or, while
    // presenting lags by a frame or more, returns false without resting or presenting, so
    // the loop only draws and counts this frame. The last frame is always presented.
    bool frame(bool last = false);
    // The same with the flip before the rest.
    bool frameThenRest(bool last = false);

  private:
    bool behind(bool last);

    double rest_;
    double nominal_;
};

} // namespace app
