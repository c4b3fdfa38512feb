// Generation is deterministic: two runs into fresh folders write the same bytes, and the
// same bytes as the build's own asset folder.
#include "asset_files.hpp"
#include "generate.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <iostream>

#include <unistd.h>

namespace fs = std::filesystem;

namespace {

assetgen::GenerateOptions optionsFor(const fs::path& out) {
    return {assettest::manifestPath(), assettest::fontDir(), assettest::fontLicence(),
            out.string()};
}

} // namespace

TEST(Generation, WritesEveryRuntimeFileAndNoStrayPicturesOrSounds) {
    const auto& files = assetgen::runtimeFiles();
    EXPECT_EQ(files.size(), 22u); // four pictures, two fonts, the licence, fifteen sounds
    for (const std::string& file : files) {
        EXPECT_TRUE(fs::is_regular_file(assettest::assetDir() + "/" + file)) << file;
    }
    // The top of the folder is the game's working directory and also holds the player's
    // files; the picture and sound folders hold only what the generator wrote.
    for (const char* folder : {"gr", "sam"}) {
        for (const auto& entry : fs::directory_iterator(assettest::assetDir() + "/" + folder)) {
            auto relative = std::string(folder) + "/" + entry.path().filename().string();
            EXPECT_NE(std::find(files.begin(), files.end(), relative), files.end())
                << relative << " is not a runtime file";
        }
    }
}

TEST(Generation, FontsAreLiberationSansWithTheirLicence) {
    const std::string dir = assettest::assetDir();
    EXPECT_EQ(assettest::readBytes(dir + "/arialbd.ttf"),
              assettest::readBytes(assettest::fontDir() + "/LiberationSans-Bold.ttf"));
    EXPECT_EQ(assettest::readBytes(dir + "/arial.ttf"),
              assettest::readBytes(assettest::fontDir() + "/LiberationSans-Regular.ttf"));
    EXPECT_EQ(assettest::readBytes(dir + "/LICENSE-fonts.txt"),
              assettest::readBytes(assettest::fontLicence()));
}

TEST(Generation, TwoRunsWriteTheSameBytes) {
    fs::path base = fs::temp_directory_path() / ("orbelium_assets_" + std::to_string(::getpid()));
    fs::remove_all(base);
    auto started = std::chrono::steady_clock::now();
    assetgen::generateAll(optionsFor(base / "first"));
    auto seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    assetgen::generateAll(optionsFor(base / "second"));
    std::cout << "one generation took " << seconds << " s\n";
    for (const std::string& file : assetgen::runtimeFiles()) {
        auto first = assettest::readBytes((base / "first" / file).string());
        auto second = assettest::readBytes((base / "second" / file).string());
        auto built = assettest::readBytes(assettest::assetDir() + "/" + file);
        ASSERT_FALSE(first.empty()) << file;
        EXPECT_EQ(first, second) << file << " differs between two runs";
        EXPECT_EQ(first, built) << file << " differs from the build's copy";
    }
    fs::remove_all(base);
}
