#include "records/options.hpp"

#include "app/language.hpp"
#include "app/paths.hpp"
#include "board/game_state.hpp"
#include "files/field_reader.hpp"
#include "files/player_files.hpp"

#include <limits>
#include <sstream>

namespace records {

namespace {
// Three short numbers (one in "ekran.txt", a code in "jezyk.txt"); anything longer is not
// such a file.
constexpr std::size_t kLongestFile = 4096;
// What may stand around the language's code: a hand-edited file may gain a carriage
// return or a blank line.
constexpr const char* kBlanks = " \t\r\n";
} // namespace

void readOptionsFile() {
    std::string text;
    app::Settings.optionsFileRefused = files::readPlayerFile(app::paths::kOptions, kLongestFile,
                                                             text) == files::FileRead::Unreadable;
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
    return !app::Settings.optionsFileRefused &&
           files::replaceFile(app::paths::kOptions, optionsFileText());
}

void readLanguageFile() {
    std::string text;
    const files::FileRead read = files::readPlayerFile(app::paths::kLanguage, kLongestFile, text);
    app::Settings.languageFileRefused = read == files::FileRead::Unreadable;
    app::Settings.storedLanguage.reset();
    const std::size_t first = text.find_first_not_of(kBlanks);
    const std::string code = first == std::string::npos
                                 ? ""
                                 : text.substr(first, text.find_last_not_of(kBlanks) + 1 - first);
    for (const app::Language language : {app::Language::Polish, app::Language::English}) {
        if (code == app::languageCode(language)) {
            app::Settings.storedLanguage = language;
            app::speak(language);
        }
    }
}

std::string languageFileText() {
    return std::string(app::languageCode(app::spokenLanguage())) + "\n";
}

bool writeLanguageFile() {
    app::Settings.storedLanguage = app::spokenLanguage();
    return !app::Settings.languageFileRefused &&
           files::replaceFile(app::paths::kLanguage, languageFileText());
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
