#include "app/menu_actions.hpp"

namespace app {

void runMenuItem(int item) {
    switch (item) {
    default:
        // Items whose screens are not in the game yet leave the menu as it is.
        break;
    }
}

} // namespace app
