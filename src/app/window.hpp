#pragma once

#include <functional>

namespace app {

// What the player does to the window itself, from any screen: the close button ends the
// program as "Wyjście z gry" does (the settings already written stay, a game in progress
// is not stored), F11 switches between the window and full screen, and a window resized
// or uncovered shows its picture again.
void watchWindow();

// Takes the window's events that have arrived: a resize is kept for the next present to
// acknowledge, F11 and the close button for answerWindow. Called by every present, so an
// animation follows a resize at once.
void takeWindowEvents();

// Forgets the window's queue, its events and the close hook (game::resetProcessState).
void forgetWindow();

// Acts on what the player asked of the window: F11 switches full screen, and a request
// to close the window ends the program here. Called by every poll of the input.
void answerWindow();

// True once after the window was resized; the present that follows acknowledges it.
bool takeResize();

// Whether a resize waits for the next present, without taking it.
bool resizeWaiting();

// True once after the window's picture was lost or changed size (a resize, an uncovered
// window, a switch to or from full screen): a screen that waits without presenting
// presents again.
bool takeWindowChange();

// True once after the window lost the keyboard focus (the player turned to another
// window), as the last answerWindow found.
bool takeFocusLoss();

// Puts the window into full screen (Allegro's full-screen window) or back, and stores the
// choice in "ekran.txt"; false when the choice could not be stored (the window switches
// all the same and the old file stays).
bool setFullScreen(bool on);

// What a screen keeps when the window is closed while it runs (the options' changes, a
// finished game's result): set for the screen's lifetime, run once before the program
// ends. The hook must not draw nor wait for input.
class OnWindowClose {
  public:
    explicit OnWindowClose(std::function<void()> keep);
    ~OnWindowClose();
    OnWindowClose(const OnWindowClose&) = delete;
    OnWindowClose& operator=(const OnWindowClose&) = delete;

  private:
    std::function<void()> previous_;
};

// Ends the program after a start-up failure: one line on stderr, the window
// closed, exit code 1.
[[noreturn]] void failStartUp(const char* what, const char* path);

} // namespace app
