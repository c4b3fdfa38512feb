#pragma once

#include <functional>

union ALLEGRO_EVENT;

// What the player does to the window itself, from any screen: the close button ends the
// program as "Wyjście z gry" does (the settings already written stay), unless a game asks
// first (app::AskBeforeClosing); F11 switches between the window and full screen, and a
// window resized or uncovered shows its picture again.
namespace app {

// From the one queue (app::takeEvents): a display event; F11 went down.
void noteWindowEvent(const ALLEGRO_EVENT& event);
void noteFullScreenKey();

// Forgets the window's events and the close hook (game::resetProcessState).
void forgetWindow();

// Acts on what the player asked of the window: F11 switches full screen, and a request
// to close the window ends the program here, or waits for the game to ask. Called by every
// poll of the input and every wait.
void answerWindow();

// Whether the close button was pressed during a game that asks before it closes, and the
// game has not yet asked; taken by the game.
bool closeWaiting();
bool takeCloseRequest();

// While one stands, the close button asks first: the request waits for the game
// (app::takeCloseRequest) instead of ending the program. One made with `ask` false lifts
// it for its lifetime: a close while the game's question shows ends the program at once.
class AskBeforeClosing {
  public:
    explicit AskBeforeClosing(bool ask = true);
    ~AskBeforeClosing();
    AskBeforeClosing(const AskBeforeClosing&) = delete;
    AskBeforeClosing& operator=(const AskBeforeClosing&) = delete;

  private:
    bool previous_;
};

// Ends the program as the close button does: the screen's close hook, the shutdown, exit
// code 0.
[[noreturn]] void quit();

// True once after the window was resized; the present that follows acknowledges it.
bool takeResize();

// Whether a resize waits for the next present, without taking it.
bool resizeWaiting();

// True once after the window's picture was lost or changed size (a resize, an uncovered
// window, a switch to or from full screen): a screen that waits without presenting
// presents again.
bool takeWindowChange();

// True once after the window lost the keyboard focus (the player turned to another
// window). The game forgets one that came while it could not pause.
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
