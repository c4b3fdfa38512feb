// libFuzzer target: any bytes as "opc.txt" and "zg.txt" (split at the first byte 0).
// Reading must not crash and must leave settings the game can use.
#include "app/startup.hpp"
#include "board/game_state.hpp"
#include "records/options.hpp"
#include "saves/save_index.hpp"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto* bytes = reinterpret_cast<const char*>(data);
    const std::size_t split = std::find(bytes, bytes + size, '\0') - bytes;
    std::ofstream("opc.txt", std::ios::binary).write(bytes, static_cast<std::streamsize>(split));
    if (split < size) {
        std::ofstream("zg.txt", std::ios::binary)
            .write(bytes + split + 1, static_cast<std::streamsize>(size - split - 1));
    }
    board::GameState = board::GameStateRecord{};
    app::Settings = app::SettingsRecord{};
    saves::SaveIndex = saves::SaveIndexRecord{};
    app::readSettingsFiles();
    const auto& o = app::Settings;
    const bool ok = std::isfinite(o.musicVolume) && o.musicVolume >= app::kMinVolume &&
                    o.musicVolume <= app::kMaxVolume && std::isfinite(o.effectsVolume) &&
                    o.effectsVolume >= app::kMinVolume && o.effectsVolume <= app::kMaxVolume &&
                    (board::GameState.mode == 0 || board::GameState.mode == 1) &&
                    saves::SaveIndex.count >= 0;
    if (!ok) {
        std::abort();
    }
    std::remove("opc.txt");
    std::remove("zg.txt");
    return 0;
}
