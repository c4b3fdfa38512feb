#include "app/process_state.hpp"

#include "app/assets.hpp"
#include "app/input.hpp"
#include "app/keys.hpp"
#include "app/launcher.hpp"
#include "app/letterbox.hpp"
#include "app/pacing.hpp"
#include "app/settings.hpp"
#include "app/waiting.hpp"
#include "app/window.hpp"
#include "board/game_state.hpp"
#include "records/high_scores.hpp"
#include "records/strip.hpp"
#include "records/text_entry.hpp"
#include "saves/save_index.hpp"

namespace app {

void resetProcessState() {
    Assets = AssetsRecord{};
    InputState = InputStateRecord{};
    mouseState = ALLEGRO_MOUSE_STATE{};
    Settings = SettingsRecord{};
    resetPacing();
    forgetWindow();
    forgetMouse();
    dropKeyQueue();
    resetLetterbox();
    resetAssetFolder();
    board::GameState = board::GameStateRecord{};
    records::HighScoreList = records::HighScoreListRecord{};
    records::newEntryIndex = 0;
    records::listReadable = true;
    records::caretBlink = 0;
    records::stripCentreY = 0;
    saves::SaveIndex = saves::SaveIndexRecord{};
    saves::currentSaveName.clear();
}

} // namespace app
