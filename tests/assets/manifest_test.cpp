// The sheet manifest: the parser rejects malformed tables, and the real manifest covers every
// rectangle the game's screens read from "gr/elementy.png", with nothing left over.
#include "asset_files.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <stdexcept>

using assetgen::parseManifest;

namespace {

struct Rect {
    int x, y, w, h;
    bool in(const assetgen::Piece& p) const {
        return x >= p.x && y >= p.y && x + w <= p.x + p.w && y + h <= p.y + p.h;
    }
};

// Every source rectangle the game's screens draw from the sheet.
std::vector<Rect> rectanglesTheGameReads() {
    // clang-format off
    std::vector<Rect> r = {
        {368, 0, 46, 46}, {438, 0, 18, 18},                   // star icon, panel ornament
        {0, 100, 402, 460}, {16, 484, 370, 13},               // board frame, strip over a star
        {404, 154, 244, 92}, {404, 248, 220, 40}, {250, 680, 184, 25}, // panel, score, record
        {0, 565, 116, 58}, {0, 625, 216, 38},                 // kind bar frame, star row
        {404, 288, 140, 140}, {650, 290, 138, 138}, {550, 313, 92, 92}, // hint button states
        {404, 432, 114, 30}, {410, 436, 102, 21},             // menu / back button, highlight
        {404, 464, 114, 30}, {410, 468, 102, 21},             // save button, highlight
        {405, 495, 115, 33}, {410, 500, 102, 21},             // continue button, highlight
        {230, 570, 224, 36}, {230, 570, 225, 36},             // main menu and pause plates
        {525, 430, 106, 23}, {525, 460, 180, 23},             // menu ornament, list heading
        {525, 489, 234, 23}, {525, 518, 180, 23}, {528, 548, 94, 25}, // bonus, info, options
        {480, 600, 135, 35}, {480, 640, 135, 35},             // relaxed and timed mode labels
        {766, 430, 26, 330}, {370, 710, 25, 25},              // clock bar frame, clock icon
        {0, 662, 149, 37}, {0, 700, 142, 52},                 // star award and line banners
        {150, 725, 64, 62}, {416, 716, 208, 65},              // full bar flash, time-out
        {0, 785, 360, 40}, {640, 560, 120, 260},              // final plate, bonus figures
        {0, 830, 166, 14}, {170, 827, 14, 20},                // slider track and knob
        {300, 710, 65, 24}, {150, 670, 40, 25}, {199, 670, 40, 25}}; // mode switch, yes, no
    // clang-format on
    for (int i = 0; i <= 10; ++i) { // element sprites, vanish frames
        if (i <= 7)
            r.push_back({46 * i, 0, 46, 46});
        r.push_back({46 * i, 50, 46, 46});
    }
    for (int i = 1; i <= 8; ++i) { // level digits, kind bars at full width
        r.push_back({521 + 20 * i, 50, 20, 30});
        if (i <= 5)
            r.push_back({116, 563 + 9 * i, 101, 8});
    }
    for (int c = 0; c < 316; ++c) // what is left of the clock bar
        r.push_back({795, 435 + c, 15, 316 - c});
    return r;
}

} // namespace

TEST(ManifestParser, ReadsSizePiecesAndParts) {
    auto m = parseManifest("# comment\nsize\t100\t50\n"
                           "button\t10\t20\t30\t15\topaque\t-\ta button\n"
                           "button_face\t12\t22\t20\t5\tdrawn\tbutton\tits face\n"
                           "vanish_10\t0\t0\t1\t1\tempty\t-\tx\n");
    EXPECT_EQ(m.sheetWidth, 100);
    EXPECT_EQ(m.sheetHeight, 50);
    ASSERT_EQ(m.pieces.size(), 3u);
    EXPECT_EQ(m.pieces[0].content, assetgen::Content::Opaque);
    EXPECT_EQ(m.pieces[0].partOf, "");
    EXPECT_EQ(m.pieces[1].partOf, "button");
    EXPECT_EQ(m.find("button_face").what, "its face");
    EXPECT_TRUE(m.find("button").contains(m.find("button_face")));
    EXPECT_EQ(m.pieces[2].content, assetgen::Content::Empty);
    EXPECT_EQ(m.pieces[2].family() + std::to_string(m.pieces[2].index()), "vanish10");
    EXPECT_EQ(m.pieces[1].family() + std::to_string(m.pieces[1].index()), "button_face-1");
}

TEST(ManifestParser, RejectsMalformedTables) {
    for (const char* text : {"a\t1\t2\t3\t4\tdrawn\t-\tno size row\n",
                             "size\t9\t9\na\t1\t2\t3\tdrawn\t-\tmissing field\n",
                             "size\t9\t9\na\t1\tx2\t3\t4\tdrawn\t-\tbad number\n",
                             "size\t9\t9\na\t1\t2\t3\t4\tshiny\t-\tbad content\n",
                             "size\t9\t9\na\t1\t2\t0\t4\tdrawn\t-\tno area\n"})
        EXPECT_THROW(parseManifest(text), std::runtime_error) << text;
    EXPECT_THROW(parseManifest("size\t9\t9\n").find("missing"), std::runtime_error);
}

TEST(SheetManifest, PiecesAreNamedOnceLieInsideTheSheetAndOverlapTwoRowsAtMost) {
    const auto& m = assettest::manifest();
    EXPECT_GE(m.sheetWidth, 810);
    EXPECT_GE(m.sheetHeight, 847);
    std::set<std::string> names;
    for (const auto& p : m.pieces) {
        EXPECT_TRUE(names.insert(p.name).second) << "duplicate piece " << p.name;
        EXPECT_TRUE(p.x >= 0 && p.y >= 0 && p.x + p.w <= m.sheetWidth && p.y + p.h <= m.sheetHeight)
            << p.name << " sticks out of the sheet";
        EXPECT_FALSE(p.what.empty()) << p.name << " says nothing about what it depicts";
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

TEST(SheetManifest, CoversEveryRectangleTheGameReadsAndNothingElse) {
    const auto& pieces = assettest::manifest().pieces;
    const auto rects = rectanglesTheGameReads();
    for (const Rect& r : rects) {
        EXPECT_TRUE(std::ranges::any_of(pieces, [&](const auto& p) { return r.in(p); }))
            << "(" << r.x << ", " << r.y << ") " << r.w << "x" << r.h
            << " lies in no manifest piece";
    }
    for (const auto& p : pieces) {
        EXPECT_TRUE(std::ranges::any_of(rects, [&](const Rect& r) { return r.in(p); }))
            << p.name << " is never drawn by the game";
    }
}
