// Buttons and small controls: the three buttons of the panel and their faces, the hint
// button in its three states, the menu plate, yes/no plates, the mode switch, the slider,
// the clock icon and the level digits.
#include "sheet_parts.hpp"
#include "words.hpp"

#include <cmath>
#include <string>

namespace assetgen {

namespace {

constexpr double kPi = 3.14159265358979323846;
// Room for the words: a button's keep 6 clear of each end of its face, a small plate's 2, and
// the hint's stay inside the lens at the height they are written.
constexpr double kFaceMargin = 6;
constexpr double kSmallFaceMargin = 2;
constexpr double kHintRoom = 76;

// A button whose face is exactly the rectangle the game tints as its highlight.
void drawButton(cairo_t* cr, double w, double h, double fx, double fy, double fw, double fh,
                const char* polish) {
    drawRim(cr, 0, 0, w, h, 8);
    drawFace(cr, fx, fy, fw, fh, 0, kFaceTop, kFaceBottom);
    Fonts::use(cr, Face::Bold, 15);
    textOutlined(cr, paintedWord(cr, polish, fw - 2 * kFaceMargin), fx + fw / 2, fy + fh / 2,
                 kLabel, kInk, 2.5);
}

// The hint button: a glass lens with a magnifier over a small planet, inside a steel ring.
// `lit` draws the hover picture, brighter and with a cyan halo.
void drawHintLens(cairo_t* cr, double cx, double cy, bool lit) {
    if (lit) {
        // A narrow cyan halo just outside the ring.
        cairo_pattern_t* halo = cairo_pattern_create_radial(cx, cy, 56, cx, cy, 66);
        addStop(halo, 0, {90, 210, 250}, 0.9);
        addStop(halo, 1, {30, 120, 180}, 0.0);
        cairo_set_source(cr, halo);
        cairo_arc(cr, cx, cy, 66, 0, 2 * kPi);
        cairo_fill(cr);
        cairo_pattern_destroy(halo);
    }
    cairo_arc(cr, cx, cy, 58, 0, 2 * kPi);
    cairo_pattern_t* p = cairo_pattern_create_linear(0, cy - 58, 0, cy + 58);
    addStop(p, 0, lit ? Rgb{200, 226, 236} : Rgb{150, 176, 188});
    addStop(p, 1, lit ? Rgb{70, 100, 120} : Rgb{40, 62, 78});
    cairo_set_source(cr, p);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
    cairo_arc(cr, cx, cy, 52, 0, 2 * kPi);
    setColour(cr, lit ? Rgb{240, 206, 100} : kGold);
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    p = cairo_pattern_create_radial(cx - 12, cy - 16, 4, cx, cy, 50);
    addStop(p, 0, lit ? Rgb{70, 150, 190} : Rgb{40, 100, 130});
    addStop(p, 1, lit ? Rgb{14, 44, 66} : Rgb{6, 22, 38});
    cairo_set_source(cr, p);
    cairo_arc(cr, cx, cy, 50, 0, 2 * kPi);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
}

void drawMagnifier(cairo_t* cr, double cx, double cy, double s, bool lit) {
    shadedDisc(cr, cx - 4 * s, cy - 4 * s, 9 * s, {90, 150, 220});
    cairo_arc(cr, cx - 4 * s, cy - 4 * s, 13 * s, 0, 2 * kPi);
    setColour(cr, lit ? Rgb{235, 250, 255} : Rgb{190, 225, 240});
    cairo_set_line_width(cr, 3.2 * s);
    cairo_stroke(cr);
    cairo_move_to(cr, cx + 5.5 * s, cy + 5.5 * s);
    cairo_line_to(cr, cx + 16 * s, cy + 16 * s);
    setColour(cr, lit ? Rgb{255, 220, 120} : kGold);
    cairo_set_line_width(cr, 5 * s);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_stroke(cr);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
}

void drawHintButton(cairo_t* cr, double cx, double cy, bool lit) {
    drawHintLens(cr, cx, cy, lit);
    drawMagnifier(cr, cx, cy - 8, 1.0, lit);
    Fonts::use(cr, Face::Bold, 12);
    textOutlined(cr, paintedWord(cr, N_("podpowiedź"), kHintRoom), cx, cy + 28,
                 lit ? Rgb{255, 255, 255} : kLabel, kInk, 2.5);
}

// Only the centre of the button, pressed in: the lens sits deeper and glows.
void drawHintPressed(cairo_t* cr) {
    const double c = 46;
    cairo_pattern_t* p = cairo_pattern_create_radial(c, c + 6, 4, c, c, 46);
    addStop(p, 0, {90, 190, 230});
    addStop(p, 0.7, {20, 70, 100});
    addStop(p, 1, {4, 20, 34});
    cairo_set_source(cr, p);
    cairo_arc(cr, c, c, 46, 0, 2 * kPi);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
    drawMagnifier(cr, c, c - 6, 1.0, true);
    Fonts::use(cr, Face::Bold, 12);
    textOutlined(cr, paintedWord(cr, N_("podpowiedź"), kHintRoom), c, c + 29, {255, 255, 255}, kInk,
                 2.5);
}

void drawMenuPlate(cairo_t* cr) {
    roundedRect(cr, 0.5, 0.5, 224, 35, 11);
    fillVertical(cr, 0, 36, {140, 166, 178}, {40, 62, 78});
    drawFace(cr, 3, 3, 219, 30, 9, {30, 66, 86}, {8, 26, 40});
    roundedRect(cr, 5.5, 5.5, 214, 25, 7);
    setColour(cr, {150, 120, 44}, 0.7);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
}

void drawSmallPlate(cairo_t* cr, double w, double h, const char* polish, Rgb text, double size) {
    drawRim(cr, 0, 0, w, h, 6);
    drawFace(cr, 3, 3, w - 6, h - 6, 4, kFaceTop, kFaceBottom);
    Fonts::use(cr, Face::Bold, size);
    textOutlined(cr, paintedWord(cr, polish, w - 6 - 2 * kSmallFaceMargin), w / 2, h / 2, text,
                 kInk, 2.2);
}

void drawSliderTrack(cairo_t* cr) {
    roundedRect(cr, 0.5, 2.5, 165, 9, 4.5);
    setColour(cr, {110, 136, 150});
    cairo_fill(cr);
    roundedRect(cr, 2, 4, 162, 6, 3);
    setColour(cr, {3, 10, 18});
    cairo_fill(cr);
    // A gold mark at full volume (1.00), a hundred pixels in.
    cairo_move_to(cr, 103.5, 0);
    cairo_line_to(cr, 103.5, 14);
    setColour(cr, kGold);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
}

void drawSliderKnob(cairo_t* cr) {
    roundedRect(cr, 1.5, 0.5, 11, 19, 4);
    cairo_pattern_t* p = cairo_pattern_create_linear(1, 0, 13, 0);
    addStop(p, 0, {220, 235, 240});
    addStop(p, 0.5, {140, 166, 178});
    addStop(p, 1, {60, 84, 100});
    cairo_set_source(cr, p);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(p);
    setColour(cr, {20, 34, 46});
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    cairo_move_to(cr, 7, 5);
    cairo_line_to(cr, 7, 15);
    setColour(cr, {200, 160, 50});
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
}

void drawClockIcon(cairo_t* cr) {
    cairo_arc(cr, 12.5, 12.5, 11.5, 0, 2 * kPi);
    setColour(cr, kGold);
    cairo_fill(cr);
    cairo_arc(cr, 12.5, 12.5, 9.5, 0, 2 * kPi);
    setColour(cr, {230, 238, 242});
    cairo_fill(cr);
    for (int i = 0; i < 12; ++i) {
        double a = i * kPi / 6;
        double r0 = i % 3 == 0 ? 6.5 : 7.8;
        cairo_move_to(cr, 12.5 + r0 * std::cos(a), 12.5 + r0 * std::sin(a));
        cairo_line_to(cr, 12.5 + 9 * std::cos(a), 12.5 + 9 * std::sin(a));
    }
    setColour(cr, {40, 50, 60});
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    cairo_move_to(cr, 12.5, 12.5);
    cairo_line_to(cr, 12.5, 5.5);
    cairo_move_to(cr, 12.5, 12.5);
    cairo_line_to(cr, 17, 14.5);
    setColour(cr, {20, 30, 40});
    cairo_set_line_width(cr, 1.6);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_stroke(cr);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
    cairo_arc(cr, 12.5, 12.5, 1.4, 0, 2 * kPi);
    setColour(cr, {200, 60, 40});
    cairo_fill(cr);
}

void drawDigit(cairo_t* cr, int digit) {
    Fonts::use(cr, Face::Bold, 28);
    std::string text = std::to_string(digit);
    cairo_text_extents_t e;
    cairo_text_extents(cr, text.c_str(), &e);
    cairo_move_to(cr, 10 - e.width / 2 - e.x_bearing, 15 - e.height / 2 - e.y_bearing);
    cairo_text_path(cr, text.c_str());
    setColour(cr, {40, 24, 0});
    cairo_set_line_width(cr, 2.4);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke_preserve(cr);
    cairo_pattern_t* p = cairo_pattern_create_linear(0, 4, 0, 26);
    addStop(p, 0, {255, 246, 180});
    addStop(p, 0.5, {240, 196, 60});
    addStop(p, 1, {190, 120, 20});
    cairo_set_source(cr, p);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
}

} // namespace

void drawRim(cairo_t* cr, double x, double y, double w, double h, double radius) {
    roundedRect(cr, x + 0.5, y + 0.5, w - 1, h - 1, radius);
    cairo_pattern_t* p = cairo_pattern_create_linear(0, y, 0, y + h);
    addStop(p, 0, {170, 194, 204});
    addStop(p, 0.5, {100, 128, 142});
    addStop(p, 1, {40, 62, 78});
    cairo_set_source(cr, p);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(p);
    setColour(cr, {16, 28, 40});
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
}

void drawFace(cairo_t* cr, double x, double y, double w, double h, double radius, Rgb top,
              Rgb bottom) {
    if (radius > 0) {
        roundedRect(cr, x, y, w, h, radius);
    } else {
        cairo_rectangle(cr, x, y, w, h);
    }
    cairo_pattern_t* p = cairo_pattern_create_linear(0, y, 0, y + h);
    addStop(p, 0, mix(top, {255, 255, 255}, 0.12));
    addStop(p, 0.45, top);
    addStop(p, 1, bottom);
    cairo_set_source(cr, p);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
}

bool paintButtonPiece(cairo_t* cr, const Piece& piece) {
    const std::string family = piece.family();
    if (family == "menu_button")
        drawButton(cr, 114, 30, 6, 4, 102, 21, N_("Menu"));
    else if (family == "save_button")
        drawButton(cr, 114, 30, 6, 4, 102, 21, N_("Zapisz"));
    else if (family == "continue_button")
        drawButton(cr, 115, 33, 5, 5, 102, 21, N_("Dalej"));
    else if (family == "hint_button")
        drawHintButton(cr, 68, 69, false);
    else if (family == "hint_button_hover")
        drawHintButton(cr, 68, 67, true);
    else if (family == "hint_button_pressed")
        drawHintPressed(cr);
    else if (family == "menu_plate")
        drawMenuPlate(cr);
    else if (family == "yes_plate")
        drawSmallPlate(cr, 40, 25, N_("TAK"), {190, 240, 170}, 12);
    else if (family == "no_plate")
        drawSmallPlate(cr, 40, 25, N_("NIE"), {250, 190, 170}, 12);
    else if (family == "mode_switch")
        drawSmallPlate(cr, 65, 24, N_("zmień"), kLabel, 13);
    else if (family == "slider_track")
        drawSliderTrack(cr);
    else if (family == "slider_knob")
        drawSliderKnob(cr);
    else if (family == "clock_icon")
        drawClockIcon(cr);
    else if (family == "digit")
        drawDigit(cr, piece.index());
    else
        return false;
    return true;
}

} // namespace assetgen
