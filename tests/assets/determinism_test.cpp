// The generator writes every runtime file and nothing stray, copies the fonts with their
// licence, and is deterministic: two runs into fresh folders and the build's own folder agree.
#include "asset_files.hpp"
#include "generate.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include <unistd.h>

namespace fs = std::filesystem;
using assettest::asset;
using assettest::readBytes;

TEST(Generation, WritesEveryRuntimeFileAndTheFontsWithTheirLicence) {
    const auto& files = assetgen::runtimeFiles();
    EXPECT_EQ(files.size(), 22u); // four pictures, two fonts, the licence, fifteen sounds
    for (const std::string& file : files)
        EXPECT_TRUE(fs::is_regular_file(asset(file))) << file;
    // The top folder is the game's working directory and holds the player's files too; the
    // picture and sound folders hold only what the generator wrote.
    for (const char* folder : {"gr", "sam"}) {
        for (const auto& entry : fs::directory_iterator(asset(folder))) {
            auto relative = std::string(folder) + "/" + entry.path().filename().string();
            EXPECT_TRUE(std::ranges::count(files, relative) == 1) << relative << " is stray";
        }
    }
    const std::string fonts = ORBELIUM_TEST_FONT_DIR;
    EXPECT_EQ(readBytes(asset("arialbd.ttf")), readBytes(fonts + "/LiberationSans-Bold.ttf"));
    EXPECT_EQ(readBytes(asset("arial.ttf")), readBytes(fonts + "/LiberationSans-Regular.ttf"));
    EXPECT_EQ(readBytes(asset("LICENSE-fonts.txt")), readBytes(ORBELIUM_TEST_FONT_LICENCE));
}

TEST(Generation, TwoRunsWriteTheSameBytes) {
    fs::path base = fs::temp_directory_path() / ("orbelium_assets_" + std::to_string(::getpid()));
    fs::remove_all(base);
    for (const char* run : {"first", "second"})
        assetgen::generateAll({ORBELIUM_TEST_MANIFEST, ORBELIUM_TEST_FONT_DIR,
                               ORBELIUM_TEST_FONT_LICENCE, (base / run).string()});
    for (const std::string& file : assetgen::runtimeFiles()) {
        auto first = readBytes((base / "first" / file).string());
        ASSERT_FALSE(first.empty()) << file;
        EXPECT_EQ(first, readBytes((base / "second" / file).string())) << file << " differs";
        EXPECT_EQ(first, readBytes(asset(file))) << file << " differs from the build's copy";
    }
    fs::remove_all(base);
}
