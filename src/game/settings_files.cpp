#include "game/settings_files.hpp"

#include "app/settings.hpp"
#include "records/options.hpp"
#include "saves/save_index.hpp"

namespace game {

void readSettingsFiles() {
    records::readOptionsFile();
    saves::readSaveIndex();
}

void installSettingsFiles() {
    app::settingsFiles = {records::readScreenFile, readSettingsFiles, records::writeScreenFile};
}

} // namespace game
