#include "app/launcher.hpp"
#include "app/settings.hpp"
#include "board/game_state.hpp"
#include "game/settings_files.hpp"
#include "records/options.hpp"
#include "support/headless.hpp"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>

namespace {

namespace fs = std::filesystem;

TEST(Launcher, ThePlayersFolderFollowsTheDesktopsRules) {
    EXPECT_EQ(app::playerFolder("/games/o", "/x/data", "/home/a"), "/games/o");
    EXPECT_EQ(app::playerFolder("", "/x/data", "/home/a"), "/x/data/orbelium");
    // A relative XDG_DATA_HOME is not valid and is ignored.
    EXPECT_EQ(app::playerFolder(nullptr, "data", "/home/a"), "/home/a/.local/share/orbelium");
    EXPECT_EQ(app::playerFolder(nullptr, nullptr, "/home/a"), "/home/a/.local/share/orbelium");
    EXPECT_EQ(app::playerFolder(nullptr, "", nullptr), "");
}

// An installed binary finds its assets from its own folder, wherever it was started; a
// binary in a build folder reads them from its working directory.
TEST(Launcher, FindsTheAssetsOfAnInstalledTreeAndMakesThePlayersFolder) {
    support::ScratchFolder scratch;
    const fs::path prefix = scratch.path() / "prefix";
    fs::create_directories(prefix / "bin");
    const std::string binary = (prefix / "bin" / "orbelium").string();
    EXPECT_EQ(app::installedAssetFolder(binary), "");
    fs::create_directories(prefix / "share" / "orbelium");
    const std::string found = app::installedAssetFolder(binary);
    ASSERT_FALSE(found.empty());
    EXPECT_TRUE(fs::equivalent(found, prefix / "share" / "orbelium"));
    EXPECT_EQ(found.back(), '/');

    const fs::path player = scratch.path() / "home" / ".local" / "share" / "orbelium";
    ASSERT_TRUE(app::makeFolder(player.string()));
    struct stat st {};
    ASSERT_EQ(stat(player.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u) << "only the player may enter a new data folder";
    EXPECT_TRUE(app::makeFolder(player.string())) << "an existing folder will do";
    scratch.write("plik", "x");
    EXPECT_FALSE(app::makeFolder((scratch.path() / "plik" / "orbelium").string()));
}

// A folder made by this run, by the game or by ./play.sh, starts with the settings the
// game ships, as the options screen would write them; a folder with "opc.txt" keeps it.
TEST(Launcher, ANewPlayersFolderStartsWithTheShippedSettingsAndNoOtherFolderDoes) {
    std::string name = "orbelium", told = "--new-player-folder";
    char* argv[] = {name.data(), told.data()};
    EXPECT_TRUE(app::answerArguments(2, argv).newPlayerFolder);
    EXPECT_FALSE(app::answerArguments(1, argv).newPlayerFolder);

    support::ScratchFolder scratch;
    support::resetWorld();
    game::writeShippedSettings();
    app::Settings = {};
    board::GameState.mode = board::GameMode::Timed;
    game::readSettingsFiles();
    EXPECT_FLOAT_EQ(app::Settings.musicVolume, 0.5f);
    EXPECT_FLOAT_EQ(app::Settings.effectsVolume, 0.5f);
    EXPECT_EQ(board::GameState.mode, board::GameMode::Relaxed);
    EXPECT_EQ(scratch.read("opc.txt"), records::optionsFileText());

    scratch.write("opc.txt", "0\n0.2\n1\n");
    game::writeShippedSettings();
    EXPECT_EQ(scratch.read("opc.txt"), "0\n0.2\n1\n");
}

} // namespace
