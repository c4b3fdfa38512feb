#include "game/settings_files.hpp"

#include "app/paths.hpp"
#include "app/settings.hpp"
#include "board/game_state.hpp"
#include "files/player_files.hpp"
#include "records/options.hpp"
#include "saves/save_index.hpp"

#include <string>

namespace game {

namespace {
constexpr float kShippedMusicVolume = 0.5f;
constexpr float kShippedEffectsVolume = 0.5f;
} // namespace

void readSettingsFiles() {
    records::readOptionsFile();
    saves::readSaveIndex();
}

void readEarlySettingsFiles() {
    records::readScreenFile();
    records::readLanguageFile();
}

void installSettingsFiles() {
    app::settingsFiles = {readEarlySettingsFiles, readSettingsFiles, records::writeScreenFile};
}

void writeShippedSettings() {
    std::string ignored;
    if (files::readPlayerFile(app::paths::kOptions, 0, ignored) != files::FileRead::Missing) {
        return;
    }
    app::Settings.musicVolume = kShippedMusicVolume;
    app::Settings.effectsVolume = kShippedEffectsVolume;
    board::GameState.mode = board::GameMode::Relaxed;
    // Through the options' own writer, the one place that knows the file's format. When it
    // fails, the shipped settings still hold for this run: reading no file changes nothing.
    records::writeOptionsFile();
}

} // namespace game
