// The sheet manifest: the parser rejects malformed tables, and the real manifest covers every
// rectangle the game's screens read from "gr/elementy.png", with nothing left over.
#include "asset_files.hpp"
#include "manifest.hpp"

#include <gtest/gtest.h>

#include <set>
#include <stdexcept>

using assetgen::Content;
using assetgen::Manifest;
using assetgen::parseManifest;

namespace {

struct Rect {
    int x, y, w, h;
    const char* use;
};

// Every source rectangle the game draws from the sheet, by where it is used.
std::vector<Rect> rectanglesTheGameReads() {
    std::vector<Rect> r;
    for (int k = 0; k <= 7; ++k)
        r.push_back({46 * k, 0, 46, 46, "element sprite"});
    r.push_back({368, 0, 46, 46, "star icon"});
    r.push_back({438, 0, 18, 18, "panel pieces beside the level box"});
    for (int f = 0; f <= 10; ++f)
        r.push_back({46 * f, 50, 46, 46, "vanish frame"});
    for (int level = 1; level <= 8; ++level)
        r.push_back({521 + 20 * level, 50, 20, 30, "level digit"});
    r.push_back({0, 100, 402, 460, "board frame"});
    r.push_back({16, 484, 370, 13, "lower frame strip over a falling star"});
    r.push_back({404, 154, 244, 92, "panel head"});
    r.push_back({404, 248, 220, 40, "score plate"});
    r.push_back({250, 680, 184, 25, "record plate"});
    r.push_back({0, 565, 116, 58, "kind bar frame"});
    r.push_back({0, 625, 216, 38, "star row plate"});
    for (int k = 1; k <= 5; ++k)
        r.push_back({116, 563 + 9 * k, 101, 8, "kind bar at full width"});
    r.push_back({404, 288, 140, 140, "hint button"});
    r.push_back({650, 290, 138, 138, "hint button hovered"});
    r.push_back({550, 313, 92, 92, "hint button pressed"});
    r.push_back({404, 432, 114, 30, "menu and back button"});
    r.push_back({410, 436, 102, 21, "menu button highlight"});
    r.push_back({404, 464, 114, 30, "save button"});
    r.push_back({410, 468, 102, 21, "save button highlight"});
    r.push_back({405, 495, 115, 33, "continue button"});
    r.push_back({410, 500, 102, 21, "continue button highlight"});
    r.push_back({230, 570, 224, 36, "main menu plate"});
    r.push_back({230, 570, 225, 36, "pause plate"});
    r.push_back({525, 430, 106, 23, "menu title ornament"});
    r.push_back({525, 460, 180, 23, "list heading"});
    r.push_back({525, 489, 234, 23, "bonus heading"});
    r.push_back({525, 518, 180, 23, "information heading"});
    r.push_back({528, 548, 94, 25, "options heading"});
    r.push_back({480, 600, 135, 35, "relaxed mode label"});
    r.push_back({480, 640, 135, 35, "timed mode label"});
    r.push_back({766, 430, 26, 330, "clock bar frame"});
    for (int c = 0; c < 316; ++c)
        r.push_back({795, 435 + c, 15, 316 - c, "clock bar remainder"});
    r.push_back({0, 662, 149, 37, "star award banner"});
    r.push_back({0, 700, 142, 52, "star line banner"});
    r.push_back({150, 725, 64, 62, "full bar flash"});
    r.push_back({416, 716, 208, 65, "time-out picture"});
    r.push_back({0, 785, 360, 40, "final screen plate"});
    r.push_back({640, 560, 120, 260, "bonus table figures"});
    r.push_back({0, 830, 166, 14, "slider track"});
    r.push_back({170, 827, 14, 20, "slider knob"});
    r.push_back({300, 710, 65, 24, "mode switch"});
    r.push_back({370, 710, 25, 25, "clock icon"});
    r.push_back({150, 670, 40, 25, "yes and delete-list plate"});
    r.push_back({199, 670, 40, 25, "no plate"});
    return r;
}

bool inside(const assetgen::Piece& p, const Rect& r) {
    return r.x >= p.x && r.y >= p.y && r.x + r.w <= p.x + p.w && r.y + r.h <= p.y + p.h;
}

const Manifest& realManifest() {
    static const Manifest m = assetgen::loadManifest(assettest::manifestPath());
    return m;
}

} // namespace

TEST(ManifestParser, ReadsSizeAndPieces) {
    Manifest m = parseManifest("# comment\n"
                               "size\t100\t50\n"
                               "button\t10\t20\t30\t15\topaque\t-\ta button\n"
                               "button_face\t12\t22\t20\t5\tdrawn\tbutton\tits face\n");
    EXPECT_EQ(m.sheetWidth, 100);
    EXPECT_EQ(m.sheetHeight, 50);
    ASSERT_EQ(m.pieces.size(), 2u);
    EXPECT_EQ(m.pieces[0].content, Content::Opaque);
    EXPECT_EQ(m.pieces[0].partOf, "");
    EXPECT_EQ(m.pieces[1].partOf, "button");
    EXPECT_EQ(m.find("button_face").what, "its face");
    EXPECT_TRUE(m.find("button").contains(m.find("button_face")));
}

TEST(ManifestParser, SplitsFamilyAndIndex) {
    Manifest m = parseManifest("size\t9\t9\nvanish_10\t0\t0\t1\t1\tdrawn\t-\tx\n"
                               "star_icon\t0\t0\t1\t1\tdrawn\t-\tx\n");
    EXPECT_EQ(m.pieces[0].family(), "vanish");
    EXPECT_EQ(m.pieces[0].index(), 10);
    EXPECT_EQ(m.pieces[1].family(), "star_icon");
    EXPECT_EQ(m.pieces[1].index(), -1);
}

TEST(ManifestParser, RejectsMalformedTables) {
    EXPECT_THROW(parseManifest("a\t1\t2\t3\t4\tdrawn\t-\tno size row\n"), std::runtime_error);
    EXPECT_THROW(parseManifest("size\t9\t9\na\t1\t2\t3\tdrawn\t-\tmissing field\n"),
                 std::runtime_error);
    EXPECT_THROW(parseManifest("size\t9\t9\na\t1\tx2\t3\t4\tdrawn\t-\tbad number\n"),
                 std::runtime_error);
    EXPECT_THROW(parseManifest("size\t9\t9\na\t1\t2\t3\t4\tshiny\t-\tbad content\n"),
                 std::runtime_error);
    EXPECT_THROW(parseManifest("size\t9\t9\na\t1\t2\t0\t4\tdrawn\t-\tno area\n"),
                 std::runtime_error);
    EXPECT_THROW(parseManifest("size\t9\t9\n").find("missing"), std::runtime_error);
}

TEST(SheetManifest, NamesAreUniqueAndPiecesLieInsideTheSheet) {
    const Manifest& m = realManifest();
    EXPECT_GE(m.sheetWidth, 810);
    EXPECT_GE(m.sheetHeight, 847);
    std::set<std::string> names;
    for (const auto& p : m.pieces) {
        EXPECT_TRUE(names.insert(p.name).second) << "duplicate piece " << p.name;
        EXPECT_GE(p.x, 0) << p.name;
        EXPECT_GE(p.y, 0) << p.name;
        EXPECT_LE(p.x + p.w, m.sheetWidth) << p.name;
        EXPECT_LE(p.y + p.h, m.sheetHeight) << p.name;
        EXPECT_FALSE(p.what.empty()) << p.name << " says nothing about what it depicts";
    }
}

TEST(SheetManifest, PartsLieInsideTheirPiecesAndOthersOverlapByTwoRowsAtMost) {
    const Manifest& m = realManifest();
    for (const auto& p : m.pieces) {
        if (!p.partOf.empty()) {
            const auto* parent = m.findOrNull(p.partOf);
            ASSERT_NE(parent, nullptr) << p.name << " is part of a missing piece";
            EXPECT_TRUE(parent->contains(p)) << p.name << " sticks out of " << p.partOf;
            continue;
        }
        for (const auto& q : m.pieces) {
            if (&p == &q || !q.partOf.empty() || !p.overlaps(q))
                continue;
            int rows = std::min(p.y + p.h, q.y + q.h) - std::max(p.y, q.y);
            EXPECT_LE(rows, 2) << p.name << " and " << q.name << " overlap by " << rows << " rows";
        }
    }
}

TEST(SheetManifest, CoversEveryRectangleTheGameReads) {
    const Manifest& m = realManifest();
    for (const Rect& r : rectanglesTheGameReads()) {
        bool covered = false;
        for (const auto& p : m.pieces)
            covered = covered || inside(p, r);
        EXPECT_TRUE(covered) << r.use << " (" << r.x << ", " << r.y << ") " << r.w << "x" << r.h
                             << " lies in no manifest piece";
    }
}

TEST(SheetManifest, HasNoPieceTheGameNeverReads) {
    const auto rects = rectanglesTheGameReads();
    for (const auto& p : realManifest().pieces) {
        bool used = false;
        for (const Rect& r : rects)
            used = used || inside(p, r);
        EXPECT_TRUE(used) << p.name << " is never drawn by the game";
    }
}
