#pragma once

namespace app {

// The window's close button ends the program from any screen, as "Wyjście z gry"
// does: the settings already written stay, a game in progress is not stored.
void watchWindowClose();
void quitIfWindowClosed();

// Ends the program after a start-up failure: one line on stderr, the window
// closed, exit code 1.
[[noreturn]] void failStartUp(const char* what, const char* path);

} // namespace app
