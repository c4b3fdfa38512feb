// libFuzzer target: any bytes as "opc.txt". Reading must leave volumes the mixer can take
// and a mode the game has, and the file the game then writes must read back as the same
// settings.
#include "board/game_state.hpp"
#include "records/options.hpp"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <limits>
#include <string>

namespace {
bool usable(float volume) {
    return std::isfinite(volume) && volume >= app::kMinVolume && volume <= app::kMaxVolume;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::ofstream("opc.txt", std::ios::binary)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    auto& options = app::Settings;
    auto& mode = board::GameState.mode;
    options = app::SettingsRecord{};
    mode = board::GameMode::Relaxed;
    records::readOptionsFile();
    if (!usable(options.musicVolume) || !usable(options.effectsVolume) ||
        (mode != board::GameMode::Relaxed && mode != board::GameMode::Timed)) {
        std::abort();
    }
    const std::string text = records::optionsFileText();
    if (!records::writeOptionsFile()) {
        std::abort();
    }
    // Values no reading can leave: each must be read again to match.
    options.musicVolume = options.effectsVolume = std::numeric_limits<float>::quiet_NaN();
    mode = 1 - mode;
    records::readOptionsFile();
    if (records::optionsFileText() != text) {
        std::abort();
    }
    std::remove("opc.txt");
    return 0;
}
