#include "records/options.hpp"

#include "app/paths.hpp"
#include "board/game_state.hpp"
#include "files/field_reader.hpp"
#include "files/player_files.hpp"

#include <limits>
#include <sstream>

namespace records {

namespace {
// Three short numbers (one in "ekran.txt"); anything longer is not such a file.
constexpr std::size_t kLongestFile = 4096;
} // namespace

void readOptionsFile() {
    std::string text;
    files::readPlayerFile(app::paths::kOptions, kLongestFile, text);
    files::FieldReader reader(text);
    reader.readClamped(app::Settings.musicVolume, app::kMinVolume, app::kMaxVolume);
    reader.readClamped(app::Settings.effectsVolume, app::kMinVolume, app::kMaxVolume);
    reader.read(board::GameState.mode, std::numeric_limits<int>::min(),
                std::numeric_limits<int>::max());
    if (board::GameState.mode != board::GameMode::Timed) {
        board::GameState.mode = board::GameMode::Relaxed;
    }
}

std::string optionsFileText() {
    std::ostringstream text;
    text << app::Settings.musicVolume << '\n'
         << app::Settings.effectsVolume << '\n'
         << board::GameState.mode << '\n';
    return text.str();
}

bool writeOptionsFile() {
    return files::replaceFile(app::paths::kOptions, optionsFileText());
}

void readScreenFile() {
    std::string text;
    files::readPlayerFile(app::paths::kScreen, kLongestFile, text);
    files::FieldReader reader(text);
    int fullScreen = 0;
    reader.read(fullScreen, 0, 1);
    app::Settings.fullScreen = fullScreen == 1;
}

std::string screenFileText() {
    return app::Settings.fullScreen ? "1\n" : "0\n";
}

bool writeScreenFile() {
    app::Settings.fullScreenStored = files::replaceFile(app::paths::kScreen, screenFileText());
    return app::Settings.fullScreenStored;
}

} // namespace records
