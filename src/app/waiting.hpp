#pragma once

// Screens that wait for the player (the main menu, the list, the options, the bonus and
// rules pages, the save question, the level's "Dalej", the pause) must not keep a
// processor busy presenting the same picture a thousand times a second. Such a screen
// presents a frame only when something on it changed, and otherwise sleeps until the
// player moves the mouse, presses a button or a key, or closes the window (or a short
// while has passed), so a click is never taken late.
namespace app {

// Longest sleep of a waiting screen with nothing to do; input ends it at once.
inline constexpr double kIdleWait = 0.015;

// Opens the queue the sleeps wake on: mouse, keyboard and window. Called at start-up.
void watchPlayer();

// Sleeps until the player does something or kIdleWait has passed.
void waitForPlayer();

// Forgets the queue the sleeps wake on (app::resetProcessState).
void forgetPlayerQueue();

// Sleeps for `seconds` unless the player presses a key or a mouse button first; returns
// whether they did (and then waits for the mouse button to be let go, so the press is
// not taken again by the next screen).
bool waitUnlessPlayerPresses(double seconds);

// The frames of one waiting screen. In its loop, present() takes the place of the flip
// and rest() of the frame's rest; whatever the loop draws and repairs in between stays
// as it is.
class WaitingScreen {
  public:
    // Flips when `changed` (a blink, a moved slider), when the pointer, the buttons or
    // the hovered item differ from the frame last presented, or when the window was
    // resized or uncovered; returns whether it flipped.
    bool present(bool changed = false);
    // The frame's short rest after a present; otherwise the sleep of a screen with
    // nothing to show.
    void rest();
    // How many frames of a busy screen's length (app::kNominalFrame) the last rest
    // lasted, for what blinks on the screen.
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
