// libFuzzer target: any bytes as a list file. Reading must not crash, every name read
// must fit the list screen, and writing the list and reading it back must give it again.
#include "board/game_state.hpp"
#include "records/high_scores.hpp"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    {
        std::ofstream out("lir.txt", std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    board::GameState.mode = (size > 0 && data[0] == 'T') ? 1 : 0;
    if (board::GameState.mode == 1) {
        std::rename("lir.txt", "lic.txt");
    }
    records::readList();
    for (int i = 1; i <= records::kListLength; ++i) {
        if (records::HighScoreList.entry[i].name.size() > 17) {
            std::abort();
        }
    }
    records::writeList(false);
    const records::HighScoreListRecord written = records::HighScoreList;
    records::readList();
    for (int i = 1; i <= records::kListLength; ++i) {
        const auto& a = written.entry[i];
        const auto& b = records::HighScoreList.entry[i];
        if (a.name != b.name || a.level != b.level || a.score != b.score) {
            std::abort();
        }
    }
    std::remove("lir.txt");
    std::remove("lic.txt");
    return 0;
}
