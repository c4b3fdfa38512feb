#include "app/input.hpp"

#include "app/letterbox.hpp"
#include "app/window.hpp"

namespace app {

InputStateRecord InputState;
ALLEGRO_MOUSE_STATE mouseState{};

void pollInput() {
    answerWindow();
    InputState.hover = 0;
    InputState.x = mouseState.x;
    InputState.y = mouseState.y;
    InputState.buttons = mouseState.buttons;
    readMouse(mouseState);
}

} // namespace app
