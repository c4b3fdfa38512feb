#include "app/startup.hpp"
#include "board/game_state.hpp"
#include "records/options.hpp"
#include "saves/save_index.hpp"
#include "support/headless.hpp"

#include <gtest/gtest.h>

namespace {

using board::GameState;
using records::Options;
using saves::SaveIndex;

class SettingsFiles : public ::testing::Test {
  protected:
    void SetUp() override { support::resetWorld(); }
    support::ScratchFolder folder;
};

TEST_F(SettingsFiles, WithoutFilesTheGameIsSilentRelaxedAndHasNoStoredGames) {
    app::readSettingsFiles();
    EXPECT_EQ(Options.musicVolume, 0.0f);
    EXPECT_EQ(Options.effectsVolume, 0.0f);
    EXPECT_EQ(GameState.mode, board::GameMode::Relaxed);
    EXPECT_EQ(SaveIndex.count, 0);
}

TEST_F(SettingsFiles, ReadsBothVolumesTheModeAndTheCount) {
    folder.write("opc.txt", "0.37\n1.25\n1\n");
    folder.write("zg.txt", "4");
    app::readSettingsFiles();
    EXPECT_FLOAT_EQ(Options.musicVolume, 0.37f);
    EXPECT_FLOAT_EQ(Options.effectsVolume, 1.25f);
    EXPECT_EQ(GameState.mode, board::GameMode::Timed);
    EXPECT_EQ(SaveIndex.count, 4);
}

TEST_F(SettingsFiles, TwoNumbersOnlyGiveTheRelaxedGame) {
    folder.write("opc.txt", "0.5 0.8");
    app::readSettingsFiles();
    EXPECT_FLOAT_EQ(Options.musicVolume, 0.5f);
    EXPECT_FLOAT_EQ(Options.effectsVolume, 0.8f);
    EXPECT_EQ(GameState.mode, board::GameMode::Relaxed);
}

TEST_F(SettingsFiles, ALeadingWordStopsEveryValue) {
    folder.write("opc.txt", "x 0.8 1");
    app::readSettingsFiles();
    EXPECT_EQ(Options.musicVolume, 0.0f);
    EXPECT_EQ(Options.effectsVolume, 0.0f);
    EXPECT_EQ(GameState.mode, board::GameMode::Relaxed);
}

TEST_F(SettingsFiles, AWordInTheMiddleKeepsWhatWasReadBeforeIt) {
    folder.write("opc.txt", "0.9 abc 1");
    app::readSettingsFiles();
    EXPECT_FLOAT_EQ(Options.musicVolume, 0.9f);
    EXPECT_EQ(Options.effectsVolume, 0.0f);
    EXPECT_EQ(GameState.mode, board::GameMode::Relaxed);
}

TEST_F(SettingsFiles, ABadOptionsFileDoesNotSpoilTheStoredGameCount) {
    folder.write("opc.txt", "garbage");
    folder.write("zg.txt", "3\n");
    app::readSettingsFiles();
    EXPECT_EQ(SaveIndex.count, 3);
}

TEST_F(SettingsFiles, CountWithoutItsFileOrWithAWordStaysZero) {
    folder.write("opc.txt", "0.5 0.5 0");
    folder.write("zg.txt", "many");
    app::readSettingsFiles();
    EXPECT_EQ(SaveIndex.count, 0);
}

TEST_F(SettingsFiles, HandEditedExtremesAreBroughtIntoRange) {
    folder.write("opc.txt", "1e30 -4 7");
    folder.write("zg.txt", "-2");
    app::readSettingsFiles();
    EXPECT_FLOAT_EQ(Options.musicVolume, records::kMaxVolume);
    EXPECT_EQ(Options.effectsVolume, 0.0f);
    EXPECT_EQ(GameState.mode, board::GameMode::Relaxed);
    EXPECT_EQ(SaveIndex.count, 0);
}

TEST_F(SettingsFiles, NotANumberVolumeBecomesSilence) {
    folder.write("opc.txt", "nan 0.4 1");
    app::readSettingsFiles();
    EXPECT_EQ(Options.musicVolume, 0.0f);
}

} // namespace
