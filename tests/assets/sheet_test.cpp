// The manifest covers every rectangle the game reads from "gr/elementy.png" and nothing more;
// the sheet holds what the game relies on, down to the colour that erases the hint, and
// elements a colour-blind player can tell apart.
#include "asset_files.hpp"
#include "generate.hpp"
#include "paint.hpp"
#include "sheet.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <stdexcept>
#include <tuple>

using assettest::Rgb8;

namespace {

const assetgen::Manifest& manifest() {
    static const auto m = assetgen::loadManifest(ORBELIUM_TEST_MANIFEST);
    return m;
}

const assettest::Image& sheet() {
    static const auto img = assettest::loadPng(assettest::asset("gr/elementy.png"));
    return img;
}

const assetgen::Piece& piece(const std::string& name, int index = -1) {
    return manifest().find(index < 0 ? name : name + "_" + std::to_string(index));
}

std::vector<Rgb8> pixelsOf(const assetgen::Piece& p) {
    return sheet().region(p.x, p.y, p.w, p.h);
}

Rgb8 meanOf(const assetgen::Piece& p) {
    return sheet().meanVisible(p.x, p.y, p.w, p.h);
}

// Share of the visible pixels of two sprites that are visible in both.
double silhouetteOverlap(const assetgen::Piece& a, const assetgen::Piece& b) {
    auto pa = pixelsOf(a), pb = pixelsOf(b);
    int both = 0, either = 0;
    for (std::size_t i = 0; i < pa.size(); ++i) {
        both += !pa[i].black() && !pb[i].black();
        either += !pa[i].black() || !pb[i].black();
    }
    return either == 0 ? 1.0 : static_cast<double>(both) / either;
}

constexpr Rgb8 kHintEraser{0, 28, 40}; // the game outlines a cell in it to erase the hint
// Mean difference per channel of a larger set's piece averaged down from its 1x piece.
constexpr double kMeanDifference = 4;

} // namespace

TEST(SheetManifest, ParserReadsPartsAndRefusesMalformedTables) {
    auto m = assetgen::parseManifest("# comment\nsize\t100\t50\n"
                                     "button\t10\t20\t30\t15\topaque\t-\ta button\n"
                                     "button_face\t12\t22\t20\t5\tdrawn\tbutton\tits face\n"
                                     "vanish_10\t0\t34\t11\t9\tempty\t-\tx\n");
    ASSERT_EQ(m.pieces.size(), 3u);
    const auto &button = m.pieces[0], &face = m.find("button_face"), &vanish = m.pieces[2];
    EXPECT_EQ(std::tuple(m.sheetWidth, m.sheetHeight, face.partOf, face.what),
              std::tuple(100, 50, "button", "its face"));
    EXPECT_TRUE(button.content == assetgen::Content::Opaque &&
                face.content == assetgen::Content::Drawn &&
                vanish.content == assetgen::Content::Empty);
    EXPECT_TRUE(button.contains(face) && !button.contains(vanish));
    EXPECT_TRUE(button.overlaps(vanish) && !face.overlaps(vanish));
    for (const char* text : {"a\t1\t2\t3\t4\tdrawn\t-\tno size row\n",
                             "size\t9\t9\na\t1\t2\t3\tdrawn\t-\tmissing field\n",
                             "size\t9\t9\na\t1\tx2\t3\t4\tdrawn\t-\tbad number\n",
                             "size\t9\t9\na\t1\t2\t3\t4\tshiny\t-\tbad content\n",
                             "size\t9\t9\na\t1\t2\t0\t4\tdrawn\t-\tno area\n"})
        EXPECT_THROW(assetgen::parseManifest(text), std::runtime_error) << text;
    EXPECT_THROW(m.find("missing"), std::runtime_error);
    // The painter refuses what it cannot paint rather than leaving a hole the game would show.
    auto png = (std::filesystem::temp_directory_path() / "orbelium_sheet_refusal.png").string();
    for (const char* text :
         {"size\t50\t50\nmystery\t0\t0\t10\t10\tdrawn\t-\tunknown\n",
          "size\t50\t50\nelement_1\t20\t20\t46\t46\tdrawn\t-\toutside the sheet\n",
          "size\t99\t99\nmenu_button_face\t10\t10\t20\t20\topaque\tmenu_button\tstray part\n"
          "menu_button\t0\t0\t20\t20\tdrawn\t-\t?\n"})
        EXPECT_THROW(assetgen::writeSheet(assetgen::parseManifest(text), png), std::runtime_error)
            << text;
    std::filesystem::remove(png);
}

// The game reads the sheet only through the names the build generates from this manifest,
// and its tests check at run time that every region drawn lies inside a piece.
TEST(SheetManifest, PiecesAreNamedOnceInsideTheSheet) {
    const auto& m = manifest();
    std::set<std::string> names;
    for (const auto& p : m.pieces) {
        EXPECT_TRUE(names.insert(p.name).second) << "duplicate piece " << p.name;
        EXPECT_TRUE(p.x >= 0 && p.y >= 0 && p.x + p.w <= m.sheetWidth && p.y + p.h <= m.sheetHeight)
            << p.name << " sticks out of the sheet";
        EXPECT_FALSE(p.what.empty()) << p.name << " says nothing about what it depicts";
        if (!p.partOf.empty()) {
            const auto* parent = m.findOrNull(p.partOf);
            EXPECT_TRUE(parent != nullptr && parent->contains(p))
                << p.name << " not in " << p.partOf;
        }
    }
}

TEST(ElementSheet, EveryPieceHoldsWhatTheManifestPromises) {
    const auto& m = manifest();
    ASSERT_EQ(sheet().width, m.sheetWidth);
    ASSERT_EQ(sheet().height, m.sheetHeight);
    for (const auto& p : m.pieces) {
        int visible = sheet().countNonBlack(p.x, p.y, p.w, p.h);
        if (p.content == assetgen::Content::Empty)
            EXPECT_EQ(visible, 0) << p.name << " should be transparent";
        else if (p.content == assetgen::Content::Opaque)
            EXPECT_EQ(visible, p.w * p.h) << p.name << " has transparent holes";
        else
            EXPECT_GE(visible, p.w * p.h / 20) << p.name << " is (nearly) blank";
        // Pieces apart from parts share two rows at most, and those stay black, or each
        // piece would show a sliver of the other.
        for (const auto& q : m.pieces) {
            if (&p >= &q || !p.partOf.empty() || !q.partOf.empty() || !p.overlaps(q))
                continue;
            int x0 = std::max(p.x, q.x), x1 = std::min(p.x + p.w, q.x + q.w);
            int y0 = std::max(p.y, q.y), y1 = std::min(p.y + p.h, q.y + q.h);
            EXPECT_LE(y1 - y0, 2) << p.name << " and " << q.name << " overlap by " << y1 - y0;
            EXPECT_EQ(sheet().countNonBlack(x0, y0, x1 - x0, y1 - y0), 0)
                << p.name << " and " << q.name << " both paint their shared rows";
        }
    }
}

TEST(ElementSheet, BoardCellsAreTheLastVanishFrameOutlinedInTheHintErasingColour) {
    const auto& frame = piece("board_frame");
    const auto& last = piece("vanish", 10);
    const auto tile = pixelsOf(last);
    // The board's cells start 17 pixels inside the frame.
    for (int cell = 0; cell < 64; ++cell) {
        EXPECT_EQ(
            sheet().region(frame.x + 17 + 46 * (cell % 8), frame.y + 17 + 46 * (cell / 8), 46, 46),
            tile)
            << "board cell " << cell << " differs from the last vanish frame";
    }
    for (int i = 0; i < 46; ++i) {
        for (auto [x, y] : {std::pair{i, 0}, {i, 45}, {0, i}, {45, i}})
            EXPECT_EQ(sheet().at(last.x + x, last.y + y), kHintEraser) << x << ", " << y;
    }
    const auto& bottom = piece("board_bottom_border"); // its first row meets the last cells
    EXPECT_EQ(sheet().region(bottom.x, bottom.y, bottom.w, 1),
              std::vector<Rgb8>(static_cast<std::size_t>(bottom.w), kHintEraser));
    for (int f = 0; f < 10; ++f)
        EXPECT_NE(pixelsOf(piece("vanish", f)), tile) << "frame " << f << " shows no burst";
}

TEST(ElementSheet, StripsDrawnAtPartWidthOrAPixelAsideAreOneColourPerRow) {
    auto expectRowsUniform = [](const std::string& what, int x, int y, int w, int h) {
        for (int j = y; j < y + h; ++j) {
            auto row = sheet().region(x, j, w, 1);
            EXPECT_EQ(std::count(row.begin(), row.end(), row[0]), w) << what << ", row " << j - y;
        }
    };
    const auto& frame = piece("kind_bar_frame");
    for (int k = 1; k <= 5; ++k) {
        const auto& bar = piece("kind_bar", k);
        expectRowsUniform(bar.name, bar.x, bar.y, bar.w, bar.h);
        // The game erases a bar by copying its trough (7..108 inside the frame) a column left.
        expectRowsUniform("trough " + std::to_string(k), frame.x + 6, frame.y + 7 + 9 * (k - 1),
                          103, 8);
    }
    const auto& bottom = piece("board_bottom_border"); // redrawn a pixel left of its place
    expectRowsUniform(bottom.name, bottom.x - 1, bottom.y, bottom.w + 1, bottom.h);
}

TEST(ElementSheet, KindsDigitsAndTheStarIconCanBeToldApart) {
    for (int a = 1; a <= 7; ++a) {
        const auto& pa = piece("element", a);
        for (int b = a + 1; b <= 7; ++b) {
            const auto& pb = piece("element", b);
            EXPECT_LT(silhouetteOverlap(pa, pb), 0.9) << "kinds " << a << ", " << b << ": shape";
            EXPECT_GT(assettest::distance(meanOf(pa), meanOf(pb)), 40)
                << "kinds " << a << ", " << b << ": colour";
        }
        if (a <= 5) {
            EXPECT_LT(assettest::distance(meanOf(piece("kind_bar", a)), meanOf(pa)), 90)
                << "bar " << a << " does not look like its element";
        }
    }
    // The star icon is gold and shaped unlike the cyan star element.
    const auto &icon = piece("star_icon"), &star = piece("element", 6);
    EXPECT_LT(silhouetteOverlap(icon, star), 0.75);
    EXPECT_GT(meanOf(icon).r, meanOf(icon).b);
    EXPECT_GT(meanOf(star).b, meanOf(star).r);
    for (int a = 1; a <= 8; ++a) {
        for (int b = a + 1; b <= 8; ++b)
            EXPECT_NE(pixelsOf(piece("digit", a)), pixelsOf(piece("digit", b))) << a << b;
    }
}

// Large screens draw the 2x and 3x sets scaled down with linear filtering: each must be the
// 1x picture at exactly k times its size, and a sheet piece must keep its k-pixel black
// gutter, or the filter would blend a neighbour's edge into it.
TEST(ArtSets, LargerSetsAreTheSamePicturesAtTwiceAndThreeTimesTheSizeWithGutters) {
    auto load = [](const std::string& file) {
        return file.ends_with(".jpg") ? assettest::loadJpeg(assettest::asset(file))
                                      : assettest::loadPng(assettest::asset(file));
    };
    for (const std::string& file : assetgen::pictureFiles()) {
        const auto one = load(file);
        for (int k : {2, 3}) {
            const auto big = load(assetgen::scaledName(file, k));
            EXPECT_EQ(std::pair(big.width, big.height), std::pair(one.width * k, one.height * k))
                << file << " at " << k << "x";
        }
    }
    for (int k : assetgen::kArtScales) {
        const auto big = load(assetgen::scaledName("gr/elementy.png", k));
        for (const auto& p : manifest().pieces) {
            if (!p.partOf.empty())
                continue;
            const int x = p.x * k, y = p.y * k, w = p.w * k, h = p.h * k;
            ASSERT_TRUE(x >= 0 && y >= 0 && x + w <= big.width && y + h <= big.height)
                << p.name << " at " << k << "x";
            const int x0 = std::max(x - k, 0), y0 = std::max(y - k, 0);
            const int x1 = std::min(x + w + k, big.width), y1 = std::min(y + h + k, big.height);
            EXPECT_EQ(big.countNonBlack(x0, y0, x1 - x0, y1 - y0), big.countNonBlack(x, y, w, h))
                << p.name << " at " << k << "x has no black gutter";
            if (k == 1)
                continue;
            // Averaged down to 1x, the piece is the 1x piece up to its finer edges.
            long difference = 0;
            for (int j = 0; j < p.h; ++j) {
                for (int i = 0; i < p.w; ++i) {
                    int r = 0, g = 0, b = 0;
                    for (const Rgb8& c : big.region(x + i * k, y + j * k, k, k))
                        r += c.r, g += c.g, b += c.b;
                    const Rgb8 small = sheet().at(p.x + i, p.y + j);
                    difference += std::abs(r / (k * k) - small.r) +
                                  std::abs(g / (k * k) - small.g) + std::abs(b / (k * k) - small.b);
                }
            }
            const double mean = static_cast<double>(difference) / (3.0 * p.w * p.h);
            EXPECT_LT(mean, kMeanDifference) << p.name << " at " << k << "x";
        }
    }
}
