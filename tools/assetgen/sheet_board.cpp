// The board frame with its cell grid, bottom bar and star tray, the panel plates around the
// score and level, the kind bars and the clock bar.
#include "sheet_parts.hpp"
#include "words.hpp"

#include <cmath>

namespace assetgen {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr Rgb kTrough{3, 10, 18};
constexpr Rgb kBody{10, 26, 40};

// Frame geometry, in the frame's own pixels: the board's cells start at (17, 17); the
// bottom bar starts on the board's last pixel row; the star tray lies under the bar.
constexpr int kBoardOrigin = 17;
constexpr int kBarTop = 384;
constexpr int kBarHeight = 13;
constexpr int kTrayTop = kBarTop + kBarHeight;
constexpr int kTrayHeight = 46;
// The caption of the panel head keeps 20 clear of each side of its inner plate.
constexpr double kPanelCaptionRoom = 200;

// The bar under the board: the same colours in every column so it can be redrawn a
// pixel to the side without a seam. Its first row is the tiles' border line.
void drawBottomBar(cairo_t* cr, double x0, double x1) {
    const Rgb rows[kBarHeight] = {kTileBorder,    {92, 120, 134}, {150, 176, 186}, {118, 146, 160},
                                  {84, 110, 126}, {176, 146, 60}, {214, 182, 80},  {150, 120, 44},
                                  {70, 96, 112},  {60, 84, 100},  {48, 70, 86},    {34, 52, 66},
                                  {14, 26, 36}};
    for (int i = 0; i < kBarHeight; ++i) {
        cairo_rectangle(cr, x0, kBarTop + i, x1 - x0, 1);
        setColour(cr, rows[i]);
        cairo_fill(cr);
    }
}

void drawBoardFrame(cairo_t* cr) {
    const double w = 402;
    const double h = 460;
    // Outer steel rim, then the dark body.
    roundedRect(cr, 0.5, 0.5, w - 1, h - 1, 14);
    fillVertical(cr, 0, h, {150, 176, 188}, {44, 66, 82});
    roundedRect(cr, 0.5, 0.5, w - 1, h - 1, 14);
    setColour(cr, {20, 34, 46});
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    roundedRect(cr, 4, 4, w - 8, h - 8, 11);
    fillVertical(cr, 4, h - 4, {16, 40, 58}, {8, 20, 32});
    // Gold hairline around the board.
    cairo_rectangle(cr, kBoardOrigin - 2.5, kBoardOrigin - 2.5, 8 * kCell + 5, 8 * kCell + 3);
    setColour(cr, {176, 146, 60});
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    cairo_rectangle(cr, kBoardOrigin - 1, kBoardOrigin - 1, 8 * kCell + 2, 8 * kCell + 1);
    setColour(cr, kTileBorder);
    cairo_fill(cr);
    // The 64 cells, copied pixel for pixel from the one tile.
    cairo_surface_t* tile = createCellTile(pixelsPerUnit(cr));
    for (int row = 0; row < 8; ++row) {
        for (int col = 0; col < 8; ++col)
            paintPixelSurface(cr, tile, kBoardOrigin + col * kCell, kBoardOrigin + row * kCell);
    }
    cairo_surface_destroy(tile);
    drawBottomBar(cr, 4, w - 4);
    // The star tray: one socket per column where a dropped star element rests.
    cairo_rectangle(cr, kBoardOrigin, kTrayTop, 8 * kCell, kTrayHeight);
    fillVertical(cr, kTrayTop, kTrayTop + kTrayHeight, {4, 12, 22}, {10, 26, 40});
    for (int col = 0; col < 8; ++col) {
        double cx = kBoardOrigin + col * kCell + 23;
        double cy = kTrayTop + 23;
        cairo_arc(cr, cx, cy, 17, 0, 2 * kPi);
        setColour(cr, {6, 18, 30});
        cairo_fill_preserve(cr);
        setColour(cr, {34, 80, 100});
        cairo_set_line_width(cr, 1.2);
        cairo_stroke(cr);
        starPath(cr, cx, cy, 7, 1.8, 4);
        setColour(cr, {30, 70, 92});
        cairo_fill(cr);
    }
    cairo_rectangle(cr, kBoardOrigin - 0.5, kTrayTop + 0.5, 8 * kCell + 1, kTrayHeight);
    setColour(cr, {176, 146, 60}, 0.8);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    // Rivets in the rim's corners.
    const double rivets[4][2] = {{9, 9}, {w - 9, 9}, {9, h - 9}, {w - 9, h - 9}};
    for (const auto& r : rivets) {
        shadedDisc(cr, r[0], r[1], 3, {150, 170, 180});
    }
}

// Plate with the caption and the level box. The box is a window: the game shows the
// level digit there over the backdrop and erases it with the backdrop.
void drawPanelHead(cairo_t* cr) {
    roundedRect(cr, 0.5, 6.5, 243, 85, 12);
    fillVertical(cr, 6, 92, {130, 158, 172}, {40, 62, 78});
    roundedRect(cr, 3.5, 9.5, 237, 79, 10);
    fillVertical(cr, 9, 89, {18, 44, 62}, {6, 18, 30});
    Fonts::use(cr, Face::Bold, 13);
    setColour(cr, kGold);
    textCentred(cr, paintedWord(cr, N_("POZIOM"), kPanelCaptionRoom), 127, 22);
    // Gold lines lead from the jewels to the box.
    cairo_move_to(cr, 38, 45.5);
    cairo_line_to(cr, 104, 45.5);
    cairo_move_to(cr, 150, 45.5);
    cairo_line_to(cr, 206, 45.5);
    setColour(cr, {150, 120, 44});
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    roundedRect(cr, 104, 34, 46, 46, 7);
    fillVertical(cr, 34, 80, {214, 182, 80}, {120, 90, 30});
    cairo_rectangle(cr, 108, 38, 38, 38);
    cairo_set_operator(cr, CAIRO_OPERATOR_CLEAR);
    cairo_fill(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_OVER);
}

// Brackets around the score window; the window itself stays clear for the dimmed backdrop.
void drawScorePlate(cairo_t* cr) {
    roundedRect(cr, 0.5, 0.5, 219, 39, 8);
    fillVertical(cr, 0, 40, {150, 176, 188}, {50, 74, 90});
    cairo_rectangle(cr, 5, 2, 210, 36);
    cairo_set_operator(cr, CAIRO_OPERATOR_CLEAR);
    cairo_fill(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_OVER);
    for (double x : {2.5, 217.5}) {
        cairo_move_to(cr, x, 8);
        cairo_line_to(cr, x, 32);
    }
    setColour(cr, kGold);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
}

void drawRecordPlate(cairo_t* cr) {
    roundedRect(cr, 0.5, 0.5, 183, 24, 7);
    fillVertical(cr, 0, 25, {20, 42, 58}, {6, 16, 26});
    roundedRect(cr, 0.5, 0.5, 183, 24, 7);
    setColour(cr, {80, 110, 126});
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    cairo_move_to(cr, 8, 21.5);
    cairo_line_to(cr, 176, 21.5);
    setColour(cr, {120, 96, 36});
    cairo_stroke(cr);
}

// Frame of the five kind bars; the troughs look the same in every column because the game
// erases a bar by copying the trough one pixel to the side.
void drawKindBarFrame(cairo_t* cr) {
    roundedRect(cr, 0.5, 0.5, 115, 57, 6);
    fillVertical(cr, 0, 58, {140, 166, 178}, {44, 66, 82});
    cairo_rectangle(cr, 6, 6, 104, 46);
    setColour(cr, {16, 36, 50});
    cairo_fill(cr);
    for (int k = 1; k <= 5; ++k) {
        double y = 7 + 9 * (k - 1);
        cairo_rectangle(cr, 6, y, 104, 8);
        fillVertical(cr, y, y + 8, {2, 8, 14}, {10, 24, 36});
        cairo_arc(cr, 3, y + 4, 1.8, 0, 2 * kPi);
        setColour(cr, kindColour(k));
        cairo_fill(cr);
    }
}

void drawKindBar(cairo_t* cr, int kind) {
    Rgb c = kindColour(kind);
    cairo_rectangle(cr, 0, 0, 101, 8);
    cairo_pattern_t* p = cairo_pattern_create_linear(0, 0, 0, 8);
    addStop(p, 0, mix(c, {255, 255, 255}, 0.55));
    addStop(p, 0.35, c);
    addStop(p, 1, scale(c, 0.45));
    cairo_set_source(cr, p);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
}

// Tray of the star row; stars are drawn 25 pixels apart over the eight sockets.
void drawStarRowPlate(cairo_t* cr) {
    roundedRect(cr, 0.5, 0.5, 215, 36, 10);
    fillVertical(cr, 0, 37, {120, 146, 160}, {40, 60, 76});
    roundedRect(cr, 3, 3, 210, 31, 8);
    fillVertical(cr, 3, 34, {4, 12, 22}, {14, 32, 46});
    for (int n = 0; n < 8; ++n) {
        starPath(cr, 21 + 25 * n, 18.5, 9, 4, 5);
        setColour(cr, {60, 56, 34});
        cairo_set_line_width(cr, 1);
        cairo_stroke(cr);
    }
}

// Frame of the clock bar: a trough with a scale on its right.
void drawClockFrame(cairo_t* cr) {
    roundedRect(cr, 0.5, 0.5, 25, 329, 7);
    fillVertical(cr, 0, 330, {150, 176, 188}, {44, 66, 82});
    cairo_rectangle(cr, 3, 5, 17, 321);
    cairo_pattern_t* p = cairo_pattern_create_linear(3, 0, 20, 0);
    addStop(p, 0, {2, 8, 14});
    addStop(p, 0.5, {10, 24, 36});
    addStop(p, 1, {2, 8, 14});
    cairo_set_source(cr, p);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
    for (int i = 0; i <= 16; ++i) {
        double y = 7 + i * 19.75;
        cairo_move_to(cr, 20, std::round(y) + 0.5);
        cairo_line_to(cr, i % 4 == 0 ? 25 : 23, std::round(y) + 0.5);
    }
    setColour(cr, {60, 44, 10});
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
}

// The full clock bar: green at the top, where it starts to empty, to red at the bottom,
// which is what is left when time runs short.
void drawClockBar(cairo_t* cr) {
    cairo_rectangle(cr, 0, 0, 15, 316);
    cairo_pattern_t* p = cairo_pattern_create_linear(0, 0, 0, 316);
    addStop(p, 0, {80, 200, 110});
    addStop(p, 0.55, {220, 200, 60});
    addStop(p, 1, {220, 70, 50});
    cairo_set_source(cr, p);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
    cairo_rectangle(cr, 0, 0, 15, 316);
    p = cairo_pattern_create_linear(0, 0, 15, 0);
    addStop(p, 0, {0, 0, 0}, 0.45);
    addStop(p, 0.35, {255, 255, 255}, 0.3);
    addStop(p, 1, {0, 0, 0}, 0.5);
    cairo_set_source(cr, p);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
}

} // namespace

bool paintBoardPiece(cairo_t* cr, const Piece& piece) {
    const std::string family = piece.family();
    if (family == "board_frame")
        drawBoardFrame(cr);
    else if (family == "panel_head")
        drawPanelHead(cr);
    else if (family == "score_plate")
        drawScorePlate(cr);
    else if (family == "record_plate")
        drawRecordPlate(cr);
    else if (family == "kind_bar_frame")
        drawKindBarFrame(cr);
    else if (family == "kind_bar")
        drawKindBar(cr, piece.index());
    else if (family == "star_row_plate")
        drawStarRowPlate(cr);
    else if (family == "clock_frame")
        drawClockFrame(cr);
    else if (family == "clock_bar")
        drawClockBar(cr);
    else
        return false;
    return true;
}

} // namespace assetgen
