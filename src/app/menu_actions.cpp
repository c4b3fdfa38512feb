#include "app/menu_actions.hpp"

#include "board/game_state.hpp"
#include "play/game_loop.hpp"
#include "records/list_screen.hpp"
#include "records/options_screen.hpp"
#include "saves/load_dialog.hpp"
#include "saves/save_index.hpp"
#include "screens/bonus_screen.hpp"
#include "screens/info_screen.hpp"

namespace app {

namespace {
constexpr int kNewGame = 1;
constexpr int kResume = 2;
constexpr int kBonuses = 3;
constexpr int kResults = 4;
constexpr int kInformation = 5;
constexpr int kOptions = 6;
} // namespace

void runMenuItem(int item) {
    switch (item) {
    case kNewGame:
        saves::beginNewGame();
        play::gameLoop();
        break;
    case kResume:
        saves::loadDialog();
        if (board::GameState.resumedGame == 1) {
            play::gameLoop();
        }
        break;
    case kBonuses:
        screens::bonusScreen();
        break;
    case kResults:
        records::listScreen();
        break;
    case kInformation:
        screens::infoScreen();
        break;
    case kOptions:
        records::optionsScreen();
        break;
    default:
        break;
    }
}

} // namespace app
