// Headings, mode labels, banners and the other pictures that carry words or symbols: the
// title ornament, the award banners, the full-bar flash, the time-out plate, the final
// heading and the figures column of the bonus table.
#include "sheet_parts.hpp"
#include "words.hpp"

#include <algorithm>
#include <cmath>
#include <string>

namespace assetgen {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr Rgb kHeadingText{236, 206, 110};
// A heading's rules end this far from its word, or down to the tight gap when the word is
// long; a rule shorter than the shortest is left out.
constexpr double kRuleGap = 8;
constexpr double kTightRuleGap = 6;
constexpr double kShortestRule = 6;
// Room for the words, in the pieces' own pixels: a heading keeps 6 clear of each end, a mode
// label's words stay between its icon and its right edge, the star line's between its
// start and the banner's rim, and the plates' words inside their inner plates, clear of the
// final plate's discs.
constexpr double kHeadingMargin = 6;
constexpr double kModeLabelRoom = 96;
constexpr double kStarLineRoom = 70;
constexpr double kTimeOutRoom = 180;
constexpr double kFinalPlateRoom = 222;

void fadingLine(cairo_t* cr, double x0, double x1, double y, Rgb c, bool brightAtEnd) {
    cairo_pattern_t* p = cairo_pattern_create_linear(x0, 0, x1, 0);
    addStop(p, 0, c, brightAtEnd ? 0.0 : 1.0);
    addStop(p, 1, c, brightAtEnd ? 1.0 : 0.0);
    cairo_set_source(cr, p);
    cairo_rectangle(cr, x0, y, x1 - x0, 1);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
}

// Orbit ellipse with a small planet, drawn under the menu title.
void drawTitleOrnament(cairo_t* cr) {
    cairo_save(cr);
    cairo_translate(cr, 53, 11.5);
    cairo_scale(cr, 1.0, 0.16);
    cairo_arc(cr, 0, 0, 50, 0, 2 * kPi);
    cairo_restore(cr);
    setColour(cr, {40, 150, 160});
    cairo_set_line_width(cr, 1.3);
    cairo_stroke(cr);
    shadedDisc(cr, 53, 11.5, 5.5, {230, 190, 80});
    glow(cr, 53, 11.5, 9, {255, 220, 120}, 0.35);
    shadedDisc(cr, 87, 15.5, 2.8, {90, 170, 220});
    for (double x : {8.0, 98.0}) {
        starPath(cr, x, 11.5, 3.5, 1, 4);
        setColour(cr, {200, 230, 240});
        cairo_fill(cr);
    }
}

// A heading word over the backdrop: outlined gold text between two fading rules, each ending
// in a small star. A word too long for the full gap draws its stars closer to keep the rules
// from vanishing; where not even that helps, the word stands alone.
void drawHeading(cairo_t* cr, double w, double h, const char* polish, double size) {
    Fonts::use(cr, Face::Bold, size);
    const std::string text = paintedWord(cr, polish, w - 2 * kHeadingMargin);
    double tw = textWidth(cr, text);
    double cy = h / 2;
    // From the rules' outer ends, 2 inside the piece, to the word.
    double room = w / 2 - tw / 2 - 2;
    double gap = std::max(kTightRuleGap, std::min(kRuleGap, room - kShortestRule));
    double left = w / 2 - tw / 2 - gap;
    double right = w / 2 + tw / 2 + gap;
    if (left - 2 >= kShortestRule) {
        fadingLine(cr, 2, left, std::floor(cy), kGold, true);
        starPath(cr, left + 2, cy, 3, 1, 4);
        setColour(cr, kHeadingText);
        cairo_fill(cr);
    }
    if (w - 2 - right >= kShortestRule) {
        fadingLine(cr, right, w - 2, std::floor(cy), kGold, false);
        starPath(cr, right - 2, cy, 3, 1, 4);
        setColour(cr, kHeadingText);
        cairo_fill(cr);
    }
    textOutlined(cr, text, w / 2, cy, kHeadingText, kInk, 3);
}

void drawModeLabel(cairo_t* cr, bool timed) {
    roundedRect(cr, 0.5, 3.5, 134, 28, 8);
    cairo_pattern_t* p = cairo_pattern_create_linear(0, 3, 0, 32);
    addStop(p, 0, {20, 44, 60});
    addStop(p, 1, {6, 18, 28});
    cairo_set_source(cr, p);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(p);
    setColour(cr, {80, 110, 126});
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    Fonts::use(cr, Face::Bold, 13);
    if (timed) {
        // Clock face to the left of the words.
        cairo_arc(cr, 17, 17.5, 8.5, 0, 2 * kPi);
        setColour(cr, kGold);
        cairo_fill(cr);
        cairo_arc(cr, 17, 17.5, 6.8, 0, 2 * kPi);
        setColour(cr, {230, 238, 242});
        cairo_fill(cr);
        cairo_move_to(cr, 17, 17.5);
        cairo_line_to(cr, 17, 12.5);
        cairo_move_to(cr, 17, 17.5);
        cairo_line_to(cr, 20.5, 19);
        setColour(cr, {20, 30, 40});
        cairo_set_line_width(cr, 1.4);
        cairo_stroke(cr);
        textOutlined(cr, paintedWord(cr, N_("gra na czas"), kModeLabelRoom), 75, 17.5,
                     {160, 200, 240}, kInk, 2.2);
    } else {
        // A crescent moon for the calm game.
        cairo_arc(cr, 16, 17.5, 8, 0, 2 * kPi);
        cairo_arc_negative(cr, 20, 14.5, 6.5, 2 * kPi, 0);
        setColour(cr, {200, 220, 110});
        cairo_fill(cr);
        textOutlined(cr, paintedWord(cr, N_("gra dla relaksu"), kModeLabelRoom), 76, 17.5,
                     {180, 210, 80}, kInk, 2.2);
    }
}

void drawBanner(cairo_t* cr, double x, double y, double w, double h, Rgb rim) {
    roundedRect(cr, x + 0.5, y + 0.5, w - 1, h - 1, 9);
    cairo_pattern_t* p = cairo_pattern_create_linear(0, y, 0, y + h);
    addStop(p, 0, {26, 50, 68});
    addStop(p, 1, {6, 16, 28});
    cairo_set_source(cr, p);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(p);
    setColour(cr, rim);
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
}

// The award for a collected star; the game writes the points centred at x 107. The top row
// is shared with the star row plate above, so the banner keeps clear of it.
void drawStarAward(cairo_t* cr) {
    drawBanner(cr, 0, 2, 149, 35, kGold);
    drawGoldStar(cr, 20, 19, 13);
    Fonts::use(cr, Face::Bold, 20);
    textOutlined(cr, "+", 46, 18.5, kHeadingText, kInk, 2);
    cairo_move_to(cr, 62.5, 7);
    cairo_line_to(cr, 62.5, 31);
    setColour(cr, {150, 120, 44});
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
}

// The award for a line of star elements; the game writes the points centred at x 73, y 24.
void drawStarLine(cairo_t* cr) {
    drawBanner(cr, 0, 0, 142, 52, {90, 200, 240});
    for (int i = 0; i < 3; ++i) {
        drawElement(cr, 6, 16 + i * 16, 13, 0.36);
    }
    Fonts::use(cr, Face::Bold, 12);
    setColour(cr, {170, 225, 245});
    // Another language's words are centred where the Polish ones stand, from x 66 on.
    const char* polish = N_("linia gwiazd");
    const std::string word = paintedWord(cr, polish, kStarLineRoom);
    cairo_move_to(cr, 66 + (textWidth(cr, polish) - textWidth(cr, word)) / 2, 17);
    cairo_show_text(cr, word.c_str());
    fadingLine(cr, 10, 71, 25, {90, 200, 240}, true);
    fadingLine(cr, 71, 132, 25, {90, 200, 240}, false);
}

// Flash of a full kind bar. The game draws it again and again with a growing tint that
// also dims what lies under its visible pixels, so only the bright burst itself is drawn:
// no soft halo that would turn into a dark disc. Kept to rows 0..59, as the two rows below
// are shared with the final plate.
void drawBarFlash(cairo_t* cr) {
    const double cx = 32, cy = 30;
    for (int i = 0; i < 12; ++i) {
        double a = i * kPi / 6;
        double len = i % 2 == 0 ? 28 : 18;
        cairo_move_to(cr, cx + 5 * std::cos(a + 0.3), cy + 5 * std::sin(a + 0.3));
        cairo_line_to(cr, cx + len * std::cos(a), cy + len * std::sin(a));
        cairo_line_to(cr, cx + 5 * std::cos(a - 0.3), cy + 5 * std::sin(a - 0.3));
        cairo_close_path(cr);
    }
    cairo_pattern_t* p = cairo_pattern_create_radial(cx, cy, 2, cx, cy, 28);
    addStop(p, 0, {255, 255, 240});
    addStop(p, 1, {240, 180, 60});
    cairo_set_source(cr, p);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
    p = cairo_pattern_create_radial(cx, cy, 0, cx, cy, 11);
    addStop(p, 0, {255, 255, 255});
    addStop(p, 1, {255, 220, 120});
    cairo_set_source(cr, p);
    cairo_arc(cr, cx, cy, 11, 0, 2 * kPi);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
    starPath(cr, cx, cy, 14, 3, 4);
    setColour(cr, {255, 255, 255});
    cairo_fill(cr);
}

void drawTimeOut(cairo_t* cr) {
    roundedRect(cr, 0.5, 0.5, 207, 64, 14);
    fillVertical(cr, 0, 65, {230, 150, 80}, {110, 36, 20});
    roundedRect(cr, 4, 4, 200, 57, 11);
    fillVertical(cr, 4, 61, {60, 22, 24}, {18, 6, 12});
    Fonts::use(cr, Face::Bold, 26);
    textOutlined(cr, paintedWord(cr, N_("Koniec czasu"), kTimeOutRoom), 104, 32.5, {255, 214, 110},
                 {40, 8, 4}, 3);
}

// Heading plate of the final screen, above its three lines of text.
void drawFinalPlate(cairo_t* cr) {
    roundedRect(cr, 0.5, 2.5, 359, 37, 16);
    fillVertical(cr, 2, 40, {214, 182, 80}, {110, 80, 24});
    roundedRect(cr, 3.5, 5.5, 353, 31, 13);
    fillVertical(cr, 5, 37, {24, 52, 72}, {6, 16, 30});
    for (int i = 0; i < 4; ++i) {
        shadedDisc(cr, 22 + i * 12, 21, 2.5 + i * 0.8, kindColour(i + 1));
        shadedDisc(cr, 338 - i * 12, 21, 2.5 + i * 0.8, kindColour(i + 2));
    }
    Fonts::use(cr, Face::Bold, 22);
    textOutlined(cr, paintedWord(cr, N_("Koniec podróży"), kFinalPlateRoom), 180, 21, kHeadingText,
                 kInk, 3);
}

// Icons beside the rows of the bonus table (20 pixels apart from the top): lines of three,
// four and five ordinary, bonus and star elements; then a full bar and a star.
void drawBonusFigures(cairo_t* cr) {
    const int kinds[3] = {1, 7, 6};
    for (int group = 0; group < 3; ++group) {
        for (int size = 3; size <= 5; ++size) {
            int row = group * 3 + (size - 3);
            double cy = 11 + 20 * row;
            for (int i = 0; i < size; ++i) {
                int kind = kinds[group] == 1 ? row + 1 : kinds[group];
                drawElement(cr, kind, 8 + 15 * i, cy, 0.36);
            }
        }
    }
    // The full bar row, between the two rules of the table.
    roundedRect(cr, 2.5, 202.5, 64, 9, 3);
    setColour(cr, {110, 136, 150});
    cairo_fill(cr);
    cairo_rectangle(cr, 4, 204, 61, 6);
    cairo_pattern_t* p = cairo_pattern_create_linear(4, 0, 65, 0);
    for (int k = 1; k <= 5; ++k) {
        addStop(p, (k - 1) / 4.0, kindColour(k));
    }
    cairo_set_source(cr, p);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
    drawGoldStar(cr, 13, 245, 10);
}

} // namespace

bool paintLabelPiece(cairo_t* cr, const Piece& piece) {
    const std::string family = piece.family();
    if (family == "menu_title_ornament")
        drawTitleOrnament(cr);
    else if (family == "heading_results")
        drawHeading(cr, piece.w, piece.h, N_("Lista wyników"), 17);
    else if (family == "heading_bonuses")
        drawHeading(cr, piece.w, piece.h, N_("Bonusy"), 17);
    else if (family == "heading_info")
        drawHeading(cr, piece.w, piece.h, N_("Informacje"), 17);
    else if (family == "heading_options")
        drawHeading(cr, piece.w, piece.h, N_("Opcje"), 17);
    else if (family == "mode_label_relaxed")
        drawModeLabel(cr, false);
    else if (family == "mode_label_timed")
        drawModeLabel(cr, true);
    else if (family == "star_award_banner")
        drawStarAward(cr);
    else if (family == "star_line_banner")
        drawStarLine(cr);
    else if (family == "bar_full_flash")
        drawBarFlash(cr);
    else if (family == "time_out")
        drawTimeOut(cr);
    else if (family == "final_plate")
        drawFinalPlate(cr);
    else if (family == "bonus_figures")
        drawBonusFigures(cr);
    else
        return false;
    return true;
}

} // namespace assetgen
