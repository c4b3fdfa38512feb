// libFuzzer target: any bytes as a stored game. Reading must not crash and must leave
// every field in the range the game's pictures, tables and rules can hold, and the game
// then stored must read back as the same game.
#include "board/game_state.hpp"
#include "records/options.hpp"
#include "saves/stored_game.hpp"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <limits>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    {
        std::ofstream out("gra", std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    board::GameState = board::GameStateRecord{};
    for (int cell = 1; cell <= board::kCells; ++cell) {
        board::GameState.cellKind[cell] = 1;
    }
    app::Settings = app::SettingsRecord{};
    saves::readStoredGame("gra");
    const auto& g = board::GameState;
    bool ok = g.level >= 1 && g.level <= 8 && g.stars >= 0 && g.stars <= 8 && g.clockBar >= 0 &&
              (g.mode == 0 || g.mode == 1);
    for (const float volume : {app::Settings.musicVolume, app::Settings.effectsVolume}) {
        ok = ok && std::isfinite(volume) && volume >= app::kMinVolume && volume <= app::kMaxVolume;
    }
    for (int cell = 1; cell <= board::kCells; ++cell) {
        ok = ok && g.cellKind[cell] >= 1 && g.cellKind[cell] <= 7;
    }
    int flags = 0;
    for (int column = 1; column <= board::kSide; ++column) {
        ok = ok && (g.columnStar[column] == 0 || g.columnStar[column] == 1);
        flags += g.columnStar[column];
    }
    // The tray's count agrees with its columns, or a level could never be finished.
    ok = ok && g.stars == flags;
    // Every award stays within an int from here on.
    ok = ok && g.score >= 0 && g.score <= board::kMaxScore && g.record >= 0 &&
         g.record <= board::kMaxScore;
    ok = ok && (g.mode == 1 || g.clockBar == 0);
    for (int kind = 1; kind <= 5; ++kind) {
        ok = ok && g.kindProgress[kind] >= 0 && g.kindProgress[kind] <= 100;
    }
    if (!ok) {
        std::abort();
    }
    const std::string text = saves::storedGameText();
    if (!saves::writeStoredGame("gra")) {
        std::abort();
    }
    // Values no reading can leave: each must be read again to match.
    const int mode = g.mode;
    board::GameState = board::GameStateRecord{};
    board::GameState.mode = 1 - mode;
    app::Settings.musicVolume = std::numeric_limits<float>::quiet_NaN();
    app::Settings.effectsVolume = std::numeric_limits<float>::quiet_NaN();
    saves::readStoredGame("gra");
    if (saves::storedGameText() != text) {
        std::abort();
    }
    std::remove("gra");
    return 0;
}
