// libFuzzer target: any bytes as a list file ("lic.txt" when the first byte is "T", else
// "lir.txt"). Reading must not crash, a regular file must count as readable (or the game
// would refuse to store results), every name read must fit the list screen, and writing
// the list and reading it back must give it again.
#include "board/game_state.hpp"
#include "records/high_scores.hpp"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    board::GameState.mode = (size > 0 && data[0] == 'T') ? 1 : 0;
    std::ofstream(records::listFileName(board::GameState.mode), std::ios::binary)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    records::readList();
    if (!records::listReadable) {
        std::abort();
    }
    for (int i = 1; i <= records::kListLength; ++i) {
        if (records::HighScoreList.entry[i].name.size() > records::kNameBytes) {
            std::abort();
        }
    }
    if (!records::writeList()) {
        std::abort();
    }
    const records::HighScoreListRecord written = records::HighScoreList;
    records::readList();
    for (int i = 1; i <= records::kListLength; ++i) {
        const auto& a = written.entry[i];
        const auto& b = records::HighScoreList.entry[i];
        if (a.name != b.name || a.level != b.level || a.score != b.score) {
            std::abort();
        }
    }
    std::remove(records::listFileName(board::GameState.mode));
    return 0;
}
