#include "saves/stored_game.hpp"

#include "app/settings.hpp"
#include "board/game_state.hpp"
#include "dialog/text_entry.hpp"
#include "files/field_reader.hpp"
#include "files/player_files.hpp"

#include <limits>
#include <sstream>

namespace saves {

namespace {

using app::Settings;
using board::GameState;

constexpr int kIntMax = std::numeric_limits<int>::max();
constexpr int kFirstKind = 1;
constexpr int kLastStoredKind = 7; // ordinary kinds, the star element and the bonus element
constexpr int kFullBar = 100;
constexpr int kMaxStars = 8;

// A stored game is a few hundred bytes; a hostile file is not read beyond this.
constexpr std::size_t kLongestFile = 64 * 1024;

int starFlags() {
    int flags = 0;
    for (int column = 1; column <= board::kSide; ++column) {
        flags += GameState.columnStar[column];
    }
    return flags;
}

void readFields(const std::string& text) {
    files::FieldReader r(text);
    for (int cell = 1; cell <= board::kCells; ++cell) {
        r.read(GameState.cellKind[cell], kFirstKind, kLastStoredKind);
    }
    for (int column = 1; column <= board::kSide; ++column) {
        r.read(GameState.columnStar[column], 0, 1);
    }
    for (int kind = 1; kind <= board::kOrdinaryKinds; ++kind) {
        r.read(GameState.kindProgress[kind], 0, kFullBar);
    }
    r.read(GameState.level, 1, board::kLevels);
    int stars = 0;
    // Each star in the tray has its column's flag: a count that disagrees would leave the
    // level impossible to finish or draw stars beyond the tray, so it ends the reading.
    if (r.read(stars, 0, kMaxStars) && stars != starFlags()) {
        r.stop();
    }
    if (r.ok()) {
        GameState.stars = stars;
    } else if (GameState.stars != starFlags()) {
        // Stopped before the count agreed with the flags: the tray starts empty.
        for (int column = 1; column <= board::kSide; ++column) {
            GameState.columnStar[column] = 0;
        }
        GameState.stars = 0;
    }
    r.read(GameState.score, 0, board::kMaxScore);
    r.read(GameState.record, 0, board::kMaxScore);
    r.read(GameState.clockBar, 0, kIntMax);
    r.read(app::Settings.musicVolume, app::kMinVolume, app::kMaxVolume);
    r.read(app::Settings.effectsVolume, app::kMinVolume, app::kMaxVolume);
    r.read(GameState.mode, board::GameMode::Relaxed, board::GameMode::Timed);
    // The relaxed game has no clock: whatever a relaxed stored game holds there must
    // not run it out.
    if (GameState.mode != board::GameMode::Timed) {
        GameState.clockBar = 0;
    }
}

} // namespace

bool isPasswordName(const std::string& name) {
    return dialog::typedWith(name, dialog::Charset::Word);
}

std::string storedGameText() {
    std::ostringstream out;
    for (int cell = 1; cell <= board::kCells; ++cell) {
        out << GameState.cellKind[cell] << ' ';
        if (cell % board::kSide == 0) {
            out << '\n';
        }
    }
    out << '\n';
    for (int column = 1; column <= board::kSide; ++column) {
        out << GameState.columnStar[column] << ' ';
    }
    out << '\n';
    for (int kind = 1; kind <= board::kOrdinaryKinds; ++kind) {
        out << GameState.kindProgress[kind] << ' ';
    }
    out << '\n';
    out << GameState.level << ' ' << GameState.stars << ' ' << GameState.score << ' '
        << GameState.record << ' ' << GameState.clockBar << ' '
        << static_cast<double>(app::Settings.musicVolume) << ' '
        << static_cast<double>(app::Settings.effectsVolume) << ' ' << GameState.mode << ' ';
    return out.str();
}

bool writeStoredGame(const std::string& name) {
    return isPasswordName(name) && files::replaceFile(name, storedGameText());
}

bool storedGameExists(const std::string& name) {
    return isPasswordName(name) && files::isWritableRegularFile(name);
}

void readStoredGame(const std::string& name) {
    std::string text;
    if (isPasswordName(name) &&
        files::readPlayerFile(name, kLongestFile, text) == files::FileRead::Read) {
        readFields(text);
    }
}

} // namespace saves
