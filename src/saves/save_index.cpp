#include "saves/save_index.hpp"

#include "app/paths.hpp"
#include "board/game_state.hpp"
#include "files/field_reader.hpp"
#include "files/player_files.hpp"
#include "saves/stored_game.hpp"

#include <cstdio>
#include <limits>
#include <string>

namespace saves {

SaveIndexRecord SaveIndex;
std::string currentSaveName;

namespace {
// One number; anything longer is not this file.
constexpr std::size_t kLongestFile = 4096;
} // namespace

void readSaveIndex() {
    std::string text;
    SaveIndex.refused = files::readPlayerFile(app::paths::kSaveCount, kLongestFile, text) ==
                        files::FileRead::Unreadable;
    // A negative count, or one too large to hold, counts nothing: the file is not ours.
    files::FieldReader(text).read(SaveIndex.count, 0, std::numeric_limits<int>::max());
}

bool writeSaveIndex() {
    return !SaveIndex.refused &&
           files::replaceFile(app::paths::kSaveCount, std::to_string(SaveIndex.count));
}

void discardStoredGame() {
    // Only a name the save dialog could have given is a stored game; anything else the
    // load dialog was typed (a list file, a path) is never deleted nor counted.
    if (!isPasswordName(currentSaveName)) {
        writeSaveIndex();
        return;
    }
    // The lowered count is stored before the file goes: a crash in between leaves a
    // finished game that is not counted, never a count naming a game that is gone. A
    // count that cannot be stored keeps the game, still counted.
    const int counted = SaveIndex.count;
    if (SaveIndex.count > std::numeric_limits<int>::min()) {
        --SaveIndex.count;
    }
    if (writeSaveIndex()) {
        files::removePlayerFile(currentSaveName);
    } else {
        SaveIndex.count = counted;
    }
}

void beginNewGame() {
    currentSaveName.clear();
    board::GameState.resumedGame = 0;
}

} // namespace saves
