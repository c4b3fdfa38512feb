// libFuzzer target: any bytes as "ekran.txt". Only a first value of 1 ("1", "+01", "1x",
// after any white space) is full screen, whatever the game held before, and the choice
// the game then stores reads back as itself.
#include "records/options.hpp"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

namespace {
// Whether the text begins with the integer 1, as a stream reads integers.
bool startsWithOne(const std::string& text) {
    std::size_t i = text.find_first_not_of(" \t\n\v\f\r");
    if (i == std::string::npos) {
        return false;
    }
    i += text[i] == '+';
    i = text.find_first_not_of('0', i);
    return i != std::string::npos && text[i] == '1' &&
           (i + 1 == text.size() || text[i + 1] < '0' || text[i + 1] > '9');
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    std::ofstream("ekran.txt", std::ios::binary)
        .write(text.data(), static_cast<std::streamsize>(text.size()));
    auto& options = app::Settings;
    for (const bool before : {false, true}) {
        options.fullScreen = before;
        records::readScreenFile();
        // A longer file is no screen file: the reader takes its first 4 KiB only.
        if (options.fullScreen != startsWithOne(text.substr(0, 4096))) {
            std::abort();
        }
    }
    const bool chosen = options.fullScreen;
    if (!records::writeScreenFile()) {
        std::abort();
    }
    options.fullScreen = !chosen;
    records::readScreenFile();
    if (options.fullScreen != chosen) {
        std::abort();
    }
    std::remove("ekran.txt");
    return 0;
}
