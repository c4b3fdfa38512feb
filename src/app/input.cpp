#include "app/input.hpp"

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
    al_get_mouse_state(&mouseState);
}

} // namespace app
