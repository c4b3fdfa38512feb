#pragma once

// Screens that wait for the player (the main menu, the list, the options, the bonus and
// rules pages, the save question, the level's "Dalej", the pause) must not keep a
// processor busy presenting the same picture over and over. Such a screen asks for a
// picture only when something on it changed, and otherwise sleeps until the player moves
// the mouse, presses a button or a key, or the window has news, or until the next thing
// on it that blinks is due, so a click is never taken late.
namespace app {

// The longest a screen with nothing to do sleeps before it looks again.
inline constexpr double kLongestSleep = 1.0;

// A screen that waits with no frame of its own to count.
inline constexpr int kNothingDue = 1 << 20;

// Sleeps until the player does something, or kLongestSleep has passed.
void waitForPlayer();

// The frames of one waiting screen. In its loop, present() takes the place of the flip
// and rest() of the frame's rest; whatever the loop draws and repairs in between stays
// as it is.
class WaitingScreen {
  public:
    // Asks for the frame to be shown when `changed` (a blink, a moved slider), when the
    // pointer, the buttons or the hovered item differ from the frame last shown, or when
    // the window was resized or uncovered; returns whether it asked.
    bool present(bool changed = false);
    // Sleeps until the player does something or `framesAhead` frames of a busy screen's
    // length (app::kNominalFrame) have passed, when something on the screen changes
    // then. A pointer that goes on moving wakes one pass per batch of its events, and
    // the pictures it changes are shown at the display's pace.
    void rest(int framesAhead = kNothingDue);
    // How many frames of app::kNominalFrame the last rest lasted, for what blinks.
    int framesRested() const { return framesRested_; }

  private:
    bool presented_ = false;
    int framesRested_ = 1;
    int x_ = -1;
    int y_ = -1;
    int buttons_ = -1;
    int hover_ = -1;
};

} // namespace app
