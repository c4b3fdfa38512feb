#include "game/menu_actions.hpp"

#include "app/transitions.hpp"
#include "board/game_state.hpp"
#include "game/main_menu.hpp"
#include "play/game_loop.hpp"
#include "records/list_screen.hpp"
#include "records/options_screen.hpp"
#include "saves/load_dialog.hpp"
#include "saves/save_index.hpp"
#include "screens/bonus_screen.hpp"
#include "screens/info_screen.hpp"

namespace game {

namespace {
constexpr int kNewGame = 1;
constexpr int kResume = 2;
constexpr int kBonuses = 3;
constexpr int kResults = 4;
constexpr int kInformation = 5;
constexpr int kOptions = 6;
} // namespace

void returnToMenu() {
    app::fadeOut();
    composeMainMenu();
    app::fadeIn();
}

void runMenuItem(int item) {
    switch (item) {
    case kNewGame:
        saves::beginNewGame();
        play::gameLoop();
        returnToMenu();
        break;
    case kResume:
        // A password given up on leaves the menu as it stands under the strip.
        saves::loadDialog();
        if (board::GameState.resumedGame == 1) {
            play::gameLoop();
            returnToMenu();
        }
        break;
    case kBonuses:
        screens::bonusScreen();
        returnToMenu();
        break;
    case kResults:
        records::listScreen();
        returnToMenu();
        break;
    case kInformation:
        screens::infoScreen();
        returnToMenu();
        break;
    case kOptions:
        records::optionsScreen();
        returnToMenu();
        break;
    default:
        break;
    }
}

} // namespace game
