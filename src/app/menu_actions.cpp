#include "app/menu_actions.hpp"

#include "board/game_state.hpp"
#include "play/game_loop.hpp"
#include "saves/save_index.hpp"

namespace app {

void runMenuItem(int item) {
    switch (item) {
    case 1: // "Nowa gra"
        board::GameState.resumedGame = 0;
        saves::currentSaveName.clear();
        play::gameLoop();
        break;
    default:
        // Items whose screens are not in the game yet leave the menu as it is.
        break;
    }
}

} // namespace app
