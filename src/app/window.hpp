#pragma once

#include <functional>

namespace app {

// The window's close button ends the program from any screen, as "Wyjście z gry"
// does: the settings already written stay, a game in progress is not stored.
void watchWindowClose();
void quitIfWindowClosed();

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
