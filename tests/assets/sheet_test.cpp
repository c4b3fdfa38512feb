// The generated element sheet against its manifest and against what the game relies on:
// blank and opaque pieces, the cell tile shared by the board and the last vanish frame, the
// border colour the hint is erased with, and pieces redrawn a pixel aside or in part.
#include "asset_files.hpp"
#include "manifest.hpp"
#include "sheet.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <stdexcept>

using assettest::Image;
using assettest::Rgb8;

namespace {

const assetgen::Manifest& manifest() {
    static const assetgen::Manifest m = assetgen::loadManifest(assettest::manifestPath());
    return m;
}

const Image& sheet() {
    static const Image img = assettest::loadPng(assettest::assetDir() + "/gr/elementy.png");
    return img;
}

const assetgen::Piece& piece(const std::string& name) {
    return manifest().find(name);
}

std::vector<Rgb8> pixelsOf(const assetgen::Piece& p) {
    return sheet().region(p.x, p.y, p.w, p.h);
}

constexpr Rgb8 kTileBorder{0, 28, 40};

// Non-black mask of a 46 x 46 sprite.
std::vector<bool> mask(const assetgen::Piece& p) {
    std::vector<bool> m;
    for (const Rgb8& c : pixelsOf(p))
        m.push_back(!c.black());
    return m;
}

double overlapRatio(const std::vector<bool>& a, const std::vector<bool>& b) {
    int both = 0, either = 0;
    for (std::size_t i = 0; i < a.size(); ++i) {
        both += (a[i] && b[i]) ? 1 : 0;
        either += (a[i] || b[i]) ? 1 : 0;
    }
    return either == 0 ? 1.0 : static_cast<double>(both) / either;
}

Rgb8 meanColour(const assetgen::Piece& p) {
    long r = 0, g = 0, b = 0, n = 0;
    for (const Rgb8& c : pixelsOf(p)) {
        if (c.black())
            continue;
        r += c.r;
        g += c.g;
        b += c.b;
        ++n;
    }
    if (n == 0)
        return {};
    return {static_cast<int>(r / n), static_cast<int>(g / n), static_cast<int>(b / n)};
}

} // namespace

TEST(ElementSheet, HasTheManifestSize) {
    EXPECT_EQ(sheet().width, manifest().sheetWidth);
    EXPECT_EQ(sheet().height, manifest().sheetHeight);
}

TEST(ElementSheet, EveryPieceHoldsWhatTheManifestPromises) {
    ASSERT_EQ(sheet().width, manifest().sheetWidth);
    for (const auto& p : manifest().pieces) {
        int visible = sheet().countNonBlack(p.x, p.y, p.w, p.h);
        int area = p.w * p.h;
        switch (p.content) {
        case assetgen::Content::Empty:
            EXPECT_EQ(visible, 0) << p.name << " should be transparent";
            break;
        case assetgen::Content::Drawn:
            // Clearly drawn, not a few stray pixels.
            EXPECT_GE(visible, area / 20) << p.name << " is (nearly) blank";
            break;
        case assetgen::Content::Opaque:
            EXPECT_EQ(visible, area) << p.name << " has transparent holes";
            break;
        }
    }
}

TEST(ElementSheet, RowsSharedByTwoPiecesStayTransparent) {
    const auto& pieces = manifest().pieces;
    for (const auto& p : pieces) {
        for (const auto& q : pieces) {
            if (&p >= &q || !p.partOf.empty() || !q.partOf.empty() || !p.overlaps(q))
                continue;
            int x0 = std::max(p.x, q.x), x1 = std::min(p.x + p.w, q.x + q.w);
            int y0 = std::max(p.y, q.y), y1 = std::min(p.y + p.h, q.y + q.h);
            EXPECT_EQ(sheet().countNonBlack(x0, y0, x1 - x0, y1 - y0), 0)
                << p.name << " and " << q.name << " both paint their shared rows";
        }
    }
}

TEST(CellTile, BoardCellsAndLastVanishFrameAreTheSameOpaqueTile) {
    const auto& frame = piece("board_frame");
    const auto& last = piece("vanish_10");
    const auto tile = pixelsOf(last);
    for (const Rgb8& c : tile)
        ASSERT_FALSE(c.black()) << "the cell tile has a transparent pixel";
    // The board's cells start 17 pixels inside the frame.
    for (int row = 0; row < 8; ++row) {
        for (int col = 0; col < 8; ++col) {
            auto cell = sheet().region(frame.x + 17 + 46 * col, frame.y + 17 + 46 * row, 46, 46);
            EXPECT_EQ(cell, tile) << "board cell at column " << col + 1 << ", row " << row + 1
                                  << " differs from the last vanish frame";
        }
    }
}

TEST(CellTile, OutlineIsTheColourThatErasesTheHint) {
    const auto& last = piece("vanish_10");
    for (int i = 0; i < 46; ++i) {
        EXPECT_EQ(sheet().at(last.x + i, last.y), kTileBorder) << "top edge, x " << i;
        EXPECT_EQ(sheet().at(last.x + i, last.y + 45), kTileBorder) << "bottom edge, x " << i;
        EXPECT_EQ(sheet().at(last.x, last.y + i), kTileBorder) << "left edge, y " << i;
        EXPECT_EQ(sheet().at(last.x + 45, last.y + i), kTileBorder) << "right edge, y " << i;
    }
}

TEST(CellTile, EarlierVanishFramesShowTheBurstNotTheTile) {
    const auto tile = pixelsOf(piece("vanish_10"));
    for (int f = 0; f < 10; ++f) {
        EXPECT_NE(pixelsOf(piece("vanish_" + std::to_string(f))), tile) << "frame " << f;
    }
    // The burst starts small: the first frame leaves most of the element visible.
    const auto& first = piece("vanish_0");
    EXPECT_LT(sheet().countNonBlack(first.x, first.y, 46, 46), 46 * 46 / 2);
}

TEST(BoardFrame, BottomBarLooksTheSameOneColumnAside) {
    // The game redraws it one pixel left of where the frame holds it.
    const auto& bar = piece("board_bottom_border");
    for (int y = bar.y; y < bar.y + bar.h; ++y) {
        for (int x = bar.x - 1; x < bar.x + bar.w; ++x) {
            ASSERT_EQ(sheet().at(x, y), sheet().at(bar.x, y)) << "row " << y - bar.y << ", x " << x;
        }
    }
    for (int x = bar.x; x < bar.x + bar.w; ++x) {
        EXPECT_EQ(sheet().at(x, bar.y), kTileBorder) << "the bar's first row meets the cells";
    }
}

TEST(KindBars, EachBarIsOneColourPerRowSoAnyWidthLooksRight) {
    for (int k = 1; k <= 5; ++k) {
        const auto& bar = piece("kind_bar_" + std::to_string(k));
        for (int y = bar.y; y < bar.y + bar.h; ++y) {
            for (int x = bar.x; x < bar.x + bar.w; ++x) {
                ASSERT_EQ(sheet().at(x, y), sheet().at(bar.x, y)) << "bar " << k;
            }
        }
    }
}

TEST(KindBars, TroughsAreUniformWhereABarIsErasedOnePixelAside) {
    // Bars sit 7..108 inside the frame; erasing copies the trough from one column left.
    const auto& frame = piece("kind_bar_frame");
    for (int k = 1; k <= 5; ++k) {
        int y0 = frame.y + 7 + 9 * (k - 1);
        for (int y = y0; y < y0 + 8; ++y) {
            for (int x = frame.x + 6; x <= frame.x + 108; ++x) {
                ASSERT_EQ(sheet().at(x, y), sheet().at(frame.x + 6, y)) << "trough " << k;
            }
        }
    }
}

TEST(KindBars, ColoursMatchTheirElements) {
    for (int k = 1; k <= 5; ++k) {
        Rgb8 bar = meanColour(piece("kind_bar_" + std::to_string(k)));
        Rgb8 element = meanColour(piece("element_" + std::to_string(k)));
        double d = std::hypot(bar.r - element.r, bar.g - element.g, bar.b - element.b);
        EXPECT_LT(d, 90) << "bar " << k << " does not look like its element";
    }
}

TEST(Elements, SevenKindsDifferInShapeAndColour) {
    for (int a = 1; a <= 7; ++a) {
        for (int b = a + 1; b <= 7; ++b) {
            const auto& pa = piece("element_" + std::to_string(a));
            const auto& pb = piece("element_" + std::to_string(b));
            EXPECT_LT(overlapRatio(mask(pa), mask(pb)), 0.9)
                << "kinds " << a << " and " << b << " have nearly the same silhouette";
            Rgb8 ca = meanColour(pa), cb = meanColour(pb);
            EXPECT_GT(std::hypot(ca.r - cb.r, ca.g - cb.g, ca.b - cb.b), 40)
                << "kinds " << a << " and " << b << " have nearly the same colour";
        }
    }
}

TEST(Elements, StarIconIsNotTheStarElement) {
    const auto& icon = piece("star_icon");
    const auto& star = piece("element_6");
    EXPECT_LT(overlapRatio(mask(icon), mask(star)), 0.75);
    Rgb8 ci = meanColour(icon), cs = meanColour(star);
    // Gold against cyan: red leads in the icon, blue in the star element.
    EXPECT_GT(ci.r, ci.b);
    EXPECT_GT(cs.b, cs.r);
}

TEST(Buttons, FacesAreMidTonesThatBrightenUnderTheHighlight) {
    // The highlight tints a face's green and blue up by 20 to 60 per cent.
    for (const char* name : {"menu_button_face", "save_button_face", "continue_button_face"}) {
        Rgb8 c = meanColour(piece(name));
        EXPECT_GE(c.g, 25) << name;
        EXPECT_GE(c.b, 25) << name;
        EXPECT_LE(c.g, 170) << name;
        EXPECT_LE(c.b, 170) << name;
    }
}

TEST(LevelDigits, AllEightDiffer) {
    for (int a = 1; a <= 8; ++a) {
        for (int b = a + 1; b <= 8; ++b) {
            EXPECT_NE(pixelsOf(piece("digit_" + std::to_string(a))),
                      pixelsOf(piece("digit_" + std::to_string(b))));
        }
    }
}

TEST(SheetPainter, RefusesPiecesItCannotPaint) {
    auto out = (std::filesystem::temp_directory_path() / "orbelium_sheet_refusal.png").string();
    auto unknown = assetgen::parseManifest("size\t50\t50\nmystery\t0\t0\t10\t10\tdrawn\t-\t?\n");
    EXPECT_THROW(assetgen::writeSheet(unknown, out), std::runtime_error);
    auto outside =
        assetgen::parseManifest("size\t50\t50\nelement_1\t20\t20\t46\t46\tdrawn\t-\t?\n");
    EXPECT_THROW(assetgen::writeSheet(outside, out), std::runtime_error);
    auto strayPart = assetgen::parseManifest(
        "size\t99\t99\nmenu_button_face\t10\t10\t20\t20\topaque\tmenu_button\t?\n"
        "menu_button\t0\t0\t20\t20\tdrawn\t-\t?\n");
    EXPECT_THROW(assetgen::writeSheet(strayPart, out), std::runtime_error);
    std::filesystem::remove(out);
}
