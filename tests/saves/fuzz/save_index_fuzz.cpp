// libFuzzer target: any bytes as "zg.txt". A count read is a count of files (never
// negative); anything else leaves the count as it was; and the count the game then
// stores reads back as itself.
#include "saves/save_index.hpp"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::ofstream("zg.txt", std::ios::binary)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    auto& count = saves::SaveIndex.count;
    constexpr int kUnread = -1; // no count the reader may take
    count = kUnread;
    saves::readSaveIndex();
    if (count < 0 && count != kUnread) {
        std::abort();
    }
    if (count != kUnread) {
        const int read = count;
        if (!saves::writeSaveIndex()) {
            std::abort();
        }
        count = kUnread;
        saves::readSaveIndex();
        if (count != read) {
            std::abort();
        }
    }
    std::remove("zg.txt");
    return 0;
}
