// The title picture: "ORBELIUM" in gold across an orbit, with a small sun and planet,
// on black so that it sits seamlessly on the black start-up screen.
#include "paint.hpp"
#include "pictures.hpp"
#include "words.hpp"

#include <cmath>

namespace assetgen {

namespace {

constexpr double kPi = 3.14159265358979323846;
// The subtitle, centred, keeps clear of the faint star on its line at x 382.
constexpr double kSubtitleRoom = 256;

void orbitArc(cairo_t* cr, double from, double to, double alpha) {
    cairo_save(cr);
    cairo_translate(cr, 250, 104);
    cairo_rotate(cr, -0.12);
    cairo_scale(cr, 1.0, 0.22);
    cairo_new_path(cr);
    cairo_arc(cr, 0, 0, 228, from, to);
    cairo_restore(cr);
    setColour(cr, {60, 170, 180}, alpha);
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
}

} // namespace

void writeTitle(const std::string& path, int scale) {
    // Owned, as a word missing from the language painted ends the painting by throwing.
    SurfacePtr surface(
        cairo_image_surface_create(CAIRO_FORMAT_ARGB32, kTitleWidth * scale, kTitleHeight * scale));
    ContextPtr context(cairo_create(surface.get()));
    cairo_t* cr = context.get();
    cairo_scale(cr, scale, scale);
    setColour(cr, {0, 0, 0});
    cairo_paint(cr);
    // A few faint stars, none near the edges so the picture has no visible border.
    Random rnd(99);
    for (int i = 0; i < 70; ++i) {
        double x = rnd.range(20, kTitleWidth - 20), y = rnd.range(15, kTitleHeight - 15);
        double b = 0.25 + 0.6 * std::pow(rnd.unit(), 2);
        cairo_arc(cr, x, y, 0.5 + b * 0.8, 0, 2 * kPi);
        setColour(cr, {200, 215, 255}, b);
        cairo_fill(cr);
    }
    // A soft elliptical haze that fades out well inside the picture's edges.
    cairo_save(cr);
    cairo_translate(cr, 250, 100);
    cairo_scale(cr, 2.4, 1.0);
    glow(cr, 0, 0, 95, {20, 60, 90}, 0.35);
    cairo_restore(cr);
    orbitArc(cr, kPi, 2 * kPi, 0.8); // the far half, behind the letters

    Fonts::use(cr, Face::Bold, 78);
    const char* word = "ORBELIUM";
    cairo_text_extents_t e;
    cairo_text_extents(cr, word, &e);
    double x = 250 - e.width / 2 - e.x_bearing;
    double y = 100 - e.height / 2 - e.y_bearing;
    cairo_move_to(cr, x + 3, y + 4);
    cairo_text_path(cr, word);
    setColour(cr, {0, 20, 30}, 0.9);
    cairo_fill(cr);
    cairo_move_to(cr, x, y);
    cairo_text_path(cr, word);
    cairo_set_line_width(cr, 5);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    setColour(cr, {15, 100, 105});
    cairo_stroke_preserve(cr);
    cairo_pattern_t* p = cairo_pattern_create_linear(0, y + e.y_bearing, 0, y);
    addStop(p, 0, {255, 248, 200});
    addStop(p, 0.45, {236, 190, 70});
    addStop(p, 0.55, {200, 140, 30});
    addStop(p, 1, {250, 210, 110});
    cairo_set_source(cr, p);
    cairo_fill(cr);
    cairo_pattern_destroy(p);

    orbitArc(cr, 0, kPi, 0.9); // the near half, in front
    // The sun at the orbit's left and a small blue planet travelling on its right.
    glow(cr, 42, 118, 26, {255, 200, 80}, 0.9);
    shadedDisc(cr, 42, 118, 9, {255, 210, 90});
    shadedDisc(cr, 440, 82, 7, {80, 150, 230});

    Fonts::use(cr, Face::Regular, 17);
    setColour(cr, {110, 170, 175});
    textCentred(cr, paintedWord(cr, N_("podróż przez Układ Słoneczny"), kSubtitleRoom), 250, 168);

    checkCairo(cairo_status(cr), "painting the title");
    context.reset();
    writeOpaquePng(surface.get(), path);
}

} // namespace assetgen
