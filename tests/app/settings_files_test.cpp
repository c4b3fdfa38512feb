#include "app/startup.hpp"
#include "board/game_state.hpp"
#include "records/options.hpp"
#include "saves/save_index.hpp"
#include "support/headless.hpp"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

using board::GameState;
using records::Options;
using saves::SaveIndex;

class SettingsFiles : public ::testing::Test {
  protected:
    void SetUp() override { support::resetWorld(); }
    support::ScratchFolder folder;
};

TEST_F(SettingsFiles, StartUpReadsTheOptionsAndTheCountAsFarAsTheyMakeSense) {
    struct Case {
        const char* what;
        const char* options; // nullptr: no file
        const char* count;
        float music, effects;
        int mode, saves;
    };
    const Case cases[] = {
        {"no files: silent, relaxed, no stored games", nullptr, nullptr, 0, 0, 0, 0},
        {"both volumes, the mode and the count", "0.37\n1.25\n1\n", "4", 0.37f, 1.25f, 1, 4},
        {"two numbers only give the relaxed game", "0.5 0.8", nullptr, 0.5f, 0.8f, 0, 0},
        {"a leading word stops every value", "x 0.8 1", nullptr, 0, 0, 0, 0},
        {"a word in the middle keeps what came before", "0.9 abc 1", nullptr, 0.9f, 0, 0, 0},
        {"a bad options file does not spoil the count", "garbage", "3\n", 0, 0, 0, 3},
        {"a word for the count stays zero", "0.5 0.5 0", "many", 0.5f, 0.5f, 0, 0},
        {"hand-edited extremes brought into range", "1e30 -4 7", "-2", records::kMaxVolume, 0, 0,
         0},
        {"a volume that is not a number is silence", "nan 0.4 1", nullptr, 0, 0, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        support::resetWorld();
        std::filesystem::remove(folder.path() / "opc.txt");
        std::filesystem::remove(folder.path() / "zg.txt");
        if (c.options) {
            folder.write("opc.txt", c.options);
        }
        if (c.count) {
            folder.write("zg.txt", c.count);
        }
        app::readSettingsFiles();
        EXPECT_FLOAT_EQ(Options.musicVolume, c.music);
        EXPECT_FLOAT_EQ(Options.effectsVolume, c.effects);
        EXPECT_EQ(GameState.mode, c.mode);
        EXPECT_EQ(SaveIndex.count, c.saves);
    }
}

} // namespace
