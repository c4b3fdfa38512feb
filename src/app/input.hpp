#pragma once

#include <allegro5/allegro.h>

namespace app {

// What the screens know of the player's hands. The mouse fields are those of the
// previous poll, one frame old; screens compare `buttons` with == (1 is the left
// button alone, 2 the right button alone).
struct InputStateRecord {
    int x = 0;
    int y = 0;
    int buttons = 0;
    int hover = 0;         // item under the pointer, numbered by the screen that runs; 0 = none
    ALLEGRO_EVENT event{}; // last keyboard event taken; kept while no new one arrives
};
extern InputStateRecord InputState;

// The mouse state as the last poll read it, its position in the canvas's 800 x 600
// pixels (app::readMouse), whatever the window's size.
extern ALLEGRO_MOUSE_STATE mouseState;

inline constexpr int kLeftButton = 1;
inline constexpr int kRightButton = 2;
inline constexpr int kEscape = 27;

// Opens the queue of the mouse's presses that readMouse looks at. Called at start-up.
void watchMouse();

// al_get_mouse_state with the position in the canvas's pixels, as the last present showed
// the picture (app::toPicture). A button pressed and let go again since the last read,
// within the last quarter of a second (a click quicker than a frame, when presenting is
// slow), is reported held where it went down, so no click is lost; a press still held
// is reported where it went down, however long ago.
void readMouse(ALLEGRO_MOUSE_STATE& state);

// Whether a mouse button went down that readMouse has not yet seen; the press stays.
bool mousePressWaiting();

// Forgets the queue of presses (game::resetProcessState).
void forgetMouse();

// Forgets the presses readMouse has not yet seen, and the keys no screen took: a press that has
// already been acted on (a skipped intro) must not be taken again as a click by the next screen.
void forgetPresses();

// Clears the hover, copies the previous mouse state into InputState, then reads the
// mouse anew. What the player asked of the window is answered first (app::answerWindow):
// F11 switches full screen, a request to close the window ends the program here.
void pollInput();

// Whether the last poll read the mouse in a state the screen, which acts on InputState
// one poll behind, has not yet seen: the screen's next pass must come at once.
bool mouseAhead();

// Rest after every interactive frame.
inline constexpr double kFrameRest = 0.001;

} // namespace app
