#include "game/process_state.hpp"

#include "app/assets.hpp"
#include "app/events.hpp"
#include "app/input.hpp"
#include "app/keys.hpp"
#include "app/language.hpp"
#include "app/launcher.hpp"
#include "app/letterbox.hpp"
#include "app/pacing.hpp"
#include "app/press_rules.hpp"
#include "app/settings.hpp"
#include "app/waiting.hpp"
#include "app/window.hpp"
#include "board/game_state.hpp"
#include "dialog/strip.hpp"
#include "dialog/text_entry.hpp"
#include "play/star_drop.hpp"
#include "records/high_scores.hpp"
#include "saves/save_index.hpp"

namespace game {

// The root composes the ground's pieces; their names read as in the ground itself.
using namespace app;

void resetProcessState() {
    Assets = AssetsRecord{};
    Settings = SettingsRecord{};
    speak(Language::Polish);
    resetPacing();
    closeEvents();
    forgetInput();
    resetMoment();
    forgetWindow();
    resetLetterbox();
    resetAssetFolder();
    board::GameState = board::GameStateRecord{};
    play::forgetFallenStars();
    records::HighScoreList = records::HighScoreListRecord{};
    records::newEntryIndex = 0;
    records::listReadable = true;
    dialog::caretBlink = 0;
    dialog::stripCentreY = 0;
    saves::SaveIndex = saves::SaveIndexRecord{};
    saves::currentSaveName.clear();
}

} // namespace game
