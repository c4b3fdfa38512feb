// The planet strip, the backdrop and the title picture.
#include "asset_files.hpp"
#include "pictures.hpp"

#include <gtest/gtest.h>

using assettest::Image;
using assettest::Rgb8;

namespace {

const Image& planets() {
    static const Image img = assettest::loadPng(assettest::assetDir() + "/gr/planety.png");
    return img;
}

struct Box {
    int left = 1 << 30, top = 1 << 30, right = -1, bottom = -1;
    long r = 0, g = 0, b = 0, n = 0;
};

// Bounds and mean colour of the visible pixels of planet `level`.
Box planetBox(int level) {
    Box box;
    int x0 = assetgen::kPlanetPitch * (level - 1);
    for (int y = 0; y < assetgen::kPlanetHeight; ++y) {
        for (int x = x0; x < x0 + assetgen::kPlanetWidth; ++x) {
            Rgb8 c = planets().at(x, y);
            if (c.black())
                continue;
            box.left = std::min(box.left, x - x0);
            box.right = std::max(box.right, x - x0);
            box.top = std::min(box.top, y);
            box.bottom = std::max(box.bottom, y);
            box.r += c.r;
            box.g += c.g;
            box.b += c.b;
            ++box.n;
        }
    }
    return box;
}

} // namespace

TEST(PlanetStrip, HoldsEightPlanetsOnBlack) {
    ASSERT_EQ(planets().width, 101 * 7 + 99);
    ASSERT_EQ(planets().height, 83);
    for (int level = 1; level <= 8; ++level) {
        Box box = planetBox(level);
        EXPECT_GT(box.n, 99 * 83 / 5) << "planet " << level << " is too small or missing";
        // Black all round the box, so no planet is cut off at its edge.
        EXPECT_GT(box.left, 0) << "planet " << level;
        EXPECT_GT(box.top, 0) << "planet " << level;
        EXPECT_LT(box.right, 98) << "planet " << level;
        EXPECT_LT(box.bottom, 82) << "planet " << level;
        if (level < 8) {
            int gap = 101 * level - 2;
            EXPECT_EQ(planets().countNonBlack(gap, 0, 2, 83), 0) << "gap after planet " << level;
        }
    }
}

TEST(PlanetStrip, PlanetsHaveTheirOwnColours) {
    auto mean = [](int level) {
        Box b = planetBox(level);
        return Rgb8{static_cast<int>(b.r / b.n), static_cast<int>(b.g / b.n),
                    static_cast<int>(b.b / b.n)};
    };
    Rgb8 mercury = mean(1), venus = mean(2), earth = mean(3), mars = mean(4);
    Rgb8 uranus = mean(7), neptune = mean(8);
    EXPECT_LT(std::abs(mercury.r - mercury.b), 30) << "Mercury should be grey";
    EXPECT_GT(venus.r, venus.b + 40) << "Venus should be pale yellow";
    EXPECT_GT(venus.g, venus.b + 30) << "Venus should be pale yellow";
    EXPECT_GT(earth.b, earth.r) << "Earth should be blue";
    EXPECT_GT(mars.r, mars.g + 40) << "Mars should be red";
    EXPECT_GT(uranus.g, uranus.r + 30) << "Uranus should be cyan";
    EXPECT_GT(neptune.b, neptune.r + 60) << "Neptune should be deep blue";
}

TEST(PlanetStrip, SaturnsRingsAreWiderThanTheOthersAndStayInTheBox) {
    Box saturn = planetBox(6);
    int width = saturn.right - saturn.left + 1;
    int height = saturn.bottom - saturn.top + 1;
    EXPECT_GT(width, height * 3 / 2);
    for (int level : {1, 2, 3, 4, 7, 8}) {
        Box other = planetBox(level);
        EXPECT_GT(width, other.right - other.left + 10) << "against planet " << level;
    }
}

TEST(Backdrop, IsARealJpegWideEnoughForEveryScreen) {
    auto jpeg = assettest::loadJpeg(assettest::assetDir() + "/gr/tlo2.jpg");
    ASSERT_TRUE(jpeg.valid);
    EXPECT_GE(jpeg.width, 1220);
    EXPECT_GE(jpeg.height, 600);
    EXPECT_EQ(jpeg.components, 3);
}

TEST(Backdrop, IsDarkAndCalmWithStars) {
    auto jpeg = assettest::loadJpeg(assettest::assetDir() + "/gr/tlo2.jpg");
    ASSERT_TRUE(jpeg.valid);
    long sum = 0;
    int bright = 0;
    for (const Rgb8& c : jpeg.image.pixels) {
        int luma = (c.r * 3 + c.g * 6 + c.b) / 10;
        sum += luma;
        bright += luma > 150 ? 1 : 0;
    }
    double mean = static_cast<double>(sum) / static_cast<double>(jpeg.image.pixels.size());
    EXPECT_LT(mean, 40) << "too bright for text to read over it";
    EXPECT_GT(mean, 3) << "no nebula at all";
    EXPECT_GT(bright, 200) << "too few stars";
}

TEST(Title, IsAboutFiveHundredByTwoHundredWithBlackEdges) {
    Image title = assettest::loadPng(assettest::assetDir() + "/gr/tytul.png");
    EXPECT_EQ(title.width, 500);
    EXPECT_EQ(title.height, 200);
    ASSERT_EQ(title.pixels.size(), 500u * 200u);
    // It is shown on black, so its border must be black to leave no visible frame.
    EXPECT_EQ(title.countNonBlack(0, 0, 500, 2), 0);
    EXPECT_EQ(title.countNonBlack(0, 198, 500, 2), 0);
    EXPECT_EQ(title.countNonBlack(0, 0, 2, 200), 0);
    EXPECT_EQ(title.countNonBlack(498, 0, 2, 200), 0);
    EXPECT_GT(title.countNonBlack(100, 60, 300, 80), 300 * 80 / 4) << "no title word";
}
