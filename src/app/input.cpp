#include "app/input.hpp"

#include "app/waiting.hpp"
#include "app/window.hpp"

namespace app {

InputStateRecord InputState;
ALLEGRO_MOUSE_STATE mouseState{};

void pollInput() {
    quitIfWindowClosed();
    InputState.hover = 0;
    InputState.x = mouseState.x;
    InputState.y = mouseState.y;
    InputState.buttons = mouseState.buttons;
    const int presses = takePresses();
    al_get_mouse_state(&mouseState);
    // A click pressed and released between two polls is still a click.
    if (mouseState.buttons == 0) {
        mouseState.buttons = presses;
    }
}

} // namespace app
