// The planet strip, the backdrop, the title picture and the desktop icon.
#include "asset_files.hpp"

#include <gtest/gtest.h>

#include <string_view>

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

TEST(DesktopIcon, IsARoundedSquarePngAtEachThemeSizeAndAVectorSvg) {
    const std::string dir = ORBELIUM_TEST_ICON_DIR;
    for (int size : {48, 128, 256}) {
        const std::string box = std::to_string(size) + "x" + std::to_string(size);
        const std::string path = dir + "/" + box + "/apps/orbelium.png";
        auto png = assettest::readBytes(path);
        ASSERT_GT(png.size(), 33u) << path;
        // The header chunk: big-endian width and height, then colour type 6, RGB with alpha.
        auto word = [&png](int at) {
            return png[at] << 24 | png[at + 1] << 16 | png[at + 2] << 8 | png[at + 3];
        };
        EXPECT_EQ(word(16), size) << path;
        EXPECT_EQ(word(20), size) << path;
        EXPECT_EQ(png[25], 6) << path;
        cairo_surface_t* s = cairo_image_surface_create_from_png(path.c_str());
        ASSERT_EQ(cairo_surface_status(s), CAIRO_STATUS_SUCCESS) << path;
        auto alpha = [s](int x, int y) {
            auto* row = cairo_image_surface_get_data(s) + y * cairo_image_surface_get_stride(s);
            return reinterpret_cast<const std::uint32_t*>(row)[x] >> 24;
        };
        for (int corner : {0, 1, 2, 3})
            EXPECT_EQ(alpha(corner % 2 * (size - 1), corner / 2 * (size - 1)), 0u) << path;
        EXPECT_EQ(alpha(size / 2, size / 2), 255u) << path;
        EXPECT_EQ(alpha(size / 4, size / 4), 255u) << path;
        cairo_surface_destroy(s);
    }
    auto bytes = assettest::readBytes(dir + "/scalable/apps/orbelium.svg");
    std::string_view svg(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    EXPECT_TRUE(svg.starts_with("<?xml")) << "no XML declaration";
    ASSERT_NE(svg.find("<svg "), svg.npos) << "no svg root";
    auto root = svg.substr(svg.find("<svg "));
    root = root.substr(0, root.find('>'));
    EXPECT_NE(root.find("xmlns=\"http://www.w3.org/2000/svg\""), root.npos) << root;
    EXPECT_NE(root.find("width=\"256px\" height=\"256px\""), root.npos) << root;
    EXPECT_NE(root.find("viewBox=\"0 0 256 256\""), root.npos) << root;
    while (svg.ends_with('\n'))
        svg.remove_suffix(1);
    EXPECT_TRUE(svg.ends_with("</svg>")) << "the root is not closed";
    // Drawn in vector calls only: an embedded raster would blur when the icon is scaled up.
    EXPECT_EQ(svg.find("<image"), svg.npos);
    EXPECT_LT(svg.size(), 100u * 1024);
}
