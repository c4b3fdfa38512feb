// The planet strip, the backdrop and the title picture.
#include "asset_files.hpp"

#include <gtest/gtest.h>

using assettest::Image;
using assettest::Rgb8;

namespace {

// Columns and rows of planet `level`'s 99 x 83 box that show anything.
std::pair<int, int> extent(const Image& strip, int level) {
    int x0 = 101 * (level - 1), columns = 0, rows = 0;
    for (int x = 0; x < 99; ++x)
        columns += strip.countNonBlack(x0 + x, 0, 1, 83) > 0;
    for (int y = 0; y < 83; ++y)
        rows += strip.countNonBlack(x0, y, 99, 1) > 0;
    return {columns, rows};
}

} // namespace

TEST(PlanetStrip, HoldsEightPlanetsOnBlackInTheirOwnColours) {
    Image strip = assettest::loadPng(assettest::asset("gr/planety.png"));
    ASSERT_EQ(strip.width, 101 * 7 + 99);
    ASSERT_EQ(strip.height, 83);
    // Saturn's rings make it wider than tall and the widest by far, yet inside its box.
    auto [saturnWidth, saturnHeight] = extent(strip, 6);
    EXPECT_GT(saturnWidth, saturnHeight * 3 / 2);
    Rgb8 mean[9];
    for (int level = 1; level <= 8; ++level) {
        int x0 = 101 * (level - 1);
        EXPECT_GT(strip.countNonBlack(x0, 0, 99, 83), 99 * 83 / 5) << "planet " << level;
        // Black all round and in the gap after it, so no planet is cut off or touches the next.
        int box = level < 8 ? 101 : 99;
        EXPECT_EQ(strip.countNonBlack(x0, 0, box, 83), strip.countNonBlack(x0 + 1, 1, 97, 81))
            << "planet " << level;
        if (level != 5 && level != 6) {
            EXPECT_GT(saturnWidth, extent(strip, level).first + 9) << "planet " << level;
        }
        mean[level] = strip.meanVisible(x0, 0, 99, 83);
    }
    const Rgb8 &mercury = mean[1], &venus = mean[2], &earth = mean[3], &mars = mean[4];
    const Rgb8 &uranus = mean[7], &neptune = mean[8];
    EXPECT_LT(std::abs(mercury.r - mercury.b), 30) << "Mercury should be grey";
    EXPECT_TRUE(venus.r > venus.b + 40 && venus.g > venus.b + 30) << "Venus: pale yellow";
    EXPECT_GT(earth.b, earth.r) << "Earth should be blue";
    EXPECT_GT(mars.r, mars.g + 40) << "Mars should be red";
    EXPECT_GT(uranus.g, uranus.r + 30) << "Uranus should be cyan";
    EXPECT_GT(neptune.b, neptune.r + 60) << "Neptune should be deep blue";
}

TEST(Backdrop, IsADarkCalmStarryJpegWideEnoughForEveryScreen) {
    Image jpeg = assettest::loadJpeg(assettest::asset("gr/tlo2.jpg"));
    EXPECT_GE(jpeg.width, 1220);
    EXPECT_GE(jpeg.height, 600);
    long sum = 0;
    int bright = 0;
    for (const Rgb8& c : jpeg.pixels) {
        int luma = (c.r * 3 + c.g * 6 + c.b) / 10;
        sum += luma;
        bright += luma > 150;
    }
    double mean = static_cast<double>(sum) / static_cast<double>(jpeg.pixels.size());
    EXPECT_LT(mean, 40) << "too bright for text to read over it";
    EXPECT_GT(mean, 3) << "no nebula at all";
    EXPECT_GT(bright, 200) << "too few stars";
}

TEST(Title, IsFiveHundredByTwoHundredWithBlackEdges) {
    Image title = assettest::loadPng(assettest::asset("gr/tytul.png"));
    ASSERT_EQ(title.width, 500);
    ASSERT_EQ(title.height, 200);
    // It is shown on black, so a black border leaves no visible frame.
    EXPECT_EQ(title.countNonBlack(0, 0, 500, 200), title.countNonBlack(2, 2, 496, 196));
    EXPECT_GT(title.countNonBlack(100, 60, 300, 80), 300 * 80 / 4) << "no title word";
}
