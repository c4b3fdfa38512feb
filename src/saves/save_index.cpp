#include "saves/save_index.hpp"

#include "app/paths.hpp"
#include "board/game_state.hpp"
#include "records/file_replace.hpp"
#include "saves/stored_game.hpp"

#include <cstdio>
#include <fstream>
#include <limits>
#include <string>

namespace saves {

SaveIndexRecord SaveIndex;
std::string currentSaveName;

void readSaveIndex() {
    std::ifstream in(app::paths::kSaveCount);
    int count = 0;
    if (in >> count) {
        SaveIndex.count = count;
    }
}

bool writeSaveIndex() {
    return records::replaceFile(app::paths::kSaveCount, std::to_string(SaveIndex.count));
}

void discardStoredGame() {
    // Only a name the save dialog could have given is a stored game; anything else the
    // load dialog was typed (a list file, a path) is never deleted nor counted.
    if (isPasswordName(currentSaveName)) {
        std::remove(currentSaveName.c_str());
        if (SaveIndex.count > std::numeric_limits<int>::min()) {
            --SaveIndex.count;
        }
    }
    writeSaveIndex();
}

void beginNewGame() {
    currentSaveName.clear();
    board::GameState.resumedGame = 0;
}

} // namespace saves
