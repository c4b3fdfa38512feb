// Element sprites, the star icon, the panel jewel, the cell tile and the vanish burst.
#include "sheet_parts.hpp"

#include <algorithm>
#include <cmath>

namespace assetgen {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr Rgb kWhite{255, 255, 255};

void outline(cairo_t* cr, Rgb c, double width) {
    setColour(cr, c);
    cairo_set_line_width(cr, width);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke(cr);
}

void sparkle(cairo_t* cr, double cx, double cy, double r, double alpha) {
    starPath(cr, cx, cy, r, r * 0.22, 4);
    setColour(cr, kWhite, alpha);
    cairo_fill(cr);
}

// Kind 1: a glossy red sphere.
void drawSphere(cairo_t* cr) {
    // Smaller than the hexagon so the two never read as the same round blob.
    shadedDisc(cr, 23, 23, 15.5, kindColour(1));
    cairo_arc(cr, 23, 23, 15.5, 0, 2 * kPi);
    outline(cr, {90, 14, 10}, 1.2);
    cairo_save(cr);
    cairo_scale(cr, 1.0, 0.6);
    glow(cr, 18, 15 / 0.6, 7, kWhite, 0.8);
    cairo_restore(cr);
}

// Kind 2: a green triangle, point up, with a lighter upper facet.
void drawTriangle(cairo_t* cr) {
    polygonPath(cr, 23, 26.5, 21, 3, 0);
    fillVertical(cr, 6, 37, {150, 240, 130}, {25, 120, 45}, KeepPath::Yes);
    outline(cr, {10, 60, 20}, 1.4);
    polygonPath(cr, 23, 26.5, 10, 3, 0);
    fillVertical(cr, 16, 32, {200, 255, 180}, {80, 190, 90}, KeepPath::Yes);
    cairo_new_path(cr);
    for (int i = 0; i < 3; ++i) {
        double a = -kPi / 2 + i * 2 * kPi / 3;
        cairo_move_to(cr, 23 + 10 * std::cos(a), 26.5 + 10 * std::sin(a));
        cairo_line_to(cr, 23 + 21 * std::cos(a), 26.5 + 21 * std::sin(a));
    }
    setColour(cr, {220, 255, 210}, 0.5);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
}

// Kind 3: a blue diamond cut into four facets.
void drawDiamond(cairo_t* cr) {
    const double cx = 23, cy = 23, hw = 16, hh = 20;
    const Rgb facets[4] = {{140, 190, 255}, {80, 135, 240}, {30, 70, 185}, {50, 100, 215}};
    const double pts[5][2] = {
        {cx, cy - hh}, {cx + hw, cy}, {cx, cy + hh}, {cx - hw, cy}, {cx, cy - hh}};
    const double inner[5][2] = {
        {cx, cy - 8}, {cx + 6, cy}, {cx, cy + 8}, {cx - 6, cy}, {cx, cy - 8}};
    for (int i = 0; i < 4; ++i) {
        cairo_move_to(cr, pts[i][0], pts[i][1]);
        cairo_line_to(cr, pts[i + 1][0], pts[i + 1][1]);
        cairo_line_to(cr, inner[i + 1][0], inner[i + 1][1]);
        cairo_line_to(cr, inner[i][0], inner[i][1]);
        cairo_close_path(cr);
        setColour(cr, facets[i]);
        cairo_fill(cr);
    }
    cairo_move_to(cr, inner[0][0], inner[0][1]);
    for (int i = 1; i < 4; ++i)
        cairo_line_to(cr, inner[i][0], inner[i][1]);
    cairo_close_path(cr);
    fillVertical(cr, cy - 8, cy + 8, {200, 225, 255}, {90, 140, 240}, KeepPath::Yes);
    cairo_new_path(cr);
    cairo_move_to(cr, pts[0][0], pts[0][1]);
    for (int i = 1; i < 4; ++i)
        cairo_line_to(cr, pts[i][0], pts[i][1]);
    cairo_close_path(cr);
    outline(cr, {12, 30, 90}, 1.3);
    sparkle(cr, cx - 5, cy - 9, 4, 0.9);
}

// Kind 4: a yellow square gem with cut corners and a flat table.
void drawSquareGem(cairo_t* cr) {
    auto octagon = [cr](double half, double cut) {
        const double c = 23;
        cairo_move_to(cr, c - half + cut, c - half);
        cairo_line_to(cr, c + half - cut, c - half);
        cairo_line_to(cr, c + half, c - half + cut);
        cairo_line_to(cr, c + half, c + half - cut);
        cairo_line_to(cr, c + half - cut, c + half);
        cairo_line_to(cr, c - half + cut, c + half);
        cairo_line_to(cr, c - half, c + half - cut);
        cairo_line_to(cr, c - half, c - half + cut);
        cairo_close_path(cr);
    };
    octagon(16, 5);
    fillVertical(cr, 7, 39, {255, 238, 120}, {190, 130, 10}, KeepPath::Yes);
    outline(cr, {100, 66, 0}, 1.3);
    octagon(9, 3);
    fillVertical(cr, 14, 32, {255, 250, 190}, {235, 190, 45}, KeepPath::Yes);
    outline(cr, {255, 245, 200}, 0.8);
    cairo_new_path(cr);
    const double corners[4][4] = {
        {7, 7, 14, 14}, {39, 7, 32, 14}, {39, 39, 32, 32}, {7, 39, 14, 32}};
    for (const auto& c : corners) {
        cairo_move_to(cr, c[0] + (c[0] < 23 ? 2 : -2), c[1] + (c[1] < 23 ? 2 : -2));
        cairo_line_to(cr, c[2], c[3]);
    }
    setColour(cr, {255, 240, 170}, 0.6);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
}

// Kind 5: a violet hexagon, point up, with a faceted crown.
void drawHexagon(cairo_t* cr) {
    polygonPath(cr, 23, 23, 19, 6, 0);
    fillVertical(cr, 4, 42, {215, 150, 255}, {95, 30, 150}, KeepPath::Yes);
    outline(cr, {50, 10, 80}, 1.3);
    polygonPath(cr, 23, 23, 10, 6, 0);
    fillVertical(cr, 13, 33, {240, 205, 255}, {160, 90, 220}, KeepPath::Yes);
    cairo_new_path(cr);
    for (int i = 0; i < 6; ++i) {
        double a = -kPi / 2 + i * kPi / 3;
        cairo_move_to(cr, 23 + 10 * std::cos(a), 23 + 10 * std::sin(a));
        cairo_line_to(cr, 23 + 19 * std::cos(a), 23 + 19 * std::sin(a));
    }
    setColour(cr, {235, 200, 255}, 0.45);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
}

// Kind 6, the star element: a glowing cyan orb with a white four-pointed spark, so it
// never reads as the golden collected star.
void drawStarOrb(cairo_t* cr) {
    // A tight halo: a wide glow would leave a dark ring on the cell once keyed.
    cairo_pattern_t* halo = cairo_pattern_create_radial(23, 23, 14, 23, 23, 20);
    addStop(halo, 0, {120, 220, 255}, 0.9);
    addStop(halo, 1, {40, 140, 200}, 0.0);
    cairo_set_source(cr, halo);
    cairo_arc(cr, 23, 23, 20, 0, 2 * kPi);
    cairo_fill(cr);
    cairo_pattern_destroy(halo);
    cairo_pattern_t* p = cairo_pattern_create_radial(23, 23, 1, 23, 23, 15);
    addStop(p, 0, {240, 252, 255});
    addStop(p, 0.45, {120, 215, 245});
    addStop(p, 1, {20, 90, 140});
    cairo_set_source(cr, p);
    cairo_arc(cr, 23, 23, 15, 0, 2 * kPi);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
    cairo_arc(cr, 23, 23, 15, 0, 2 * kPi);
    outline(cr, {160, 235, 255}, 1.0);
    starPath(cr, 23, 23, 19, 3.2, 4);
    setColour(cr, kWhite);
    cairo_fill(cr);
    starPath(cr, 23, 23, 9, 2.2, 4, kPi / 4);
    setColour(cr, {220, 250, 255}, 0.9);
    cairo_fill(cr);
}

// Kind 7, the bonus element: an orange planet in a tilted silver ring.
void drawRingedPlanet(cairo_t* cr) {
    auto ring = [cr](double fromAngle, double toAngle) {
        cairo_save(cr);
        cairo_translate(cr, 23, 23);
        cairo_rotate(cr, -0.35);
        cairo_scale(cr, 1.0, 0.32);
        cairo_new_path(cr);
        cairo_arc(cr, 0, 0, 20, fromAngle, toAngle);
        cairo_restore(cr);
        setColour(cr, {70, 60, 80});
        cairo_set_line_width(cr, 5.5);
        cairo_stroke_preserve(cr);
        setColour(cr, {225, 220, 240});
        cairo_set_line_width(cr, 3.5);
        cairo_stroke(cr);
    };
    ring(kPi, 2 * kPi); // the far half, behind the planet
    cairo_save(cr);
    cairo_arc(cr, 23, 23, 12.5, 0, 2 * kPi);
    cairo_clip(cr);
    shadedDisc(cr, 23, 23, 12.5, kindColour(7));
    for (int i = -1; i <= 1; ++i) {
        cairo_save(cr);
        cairo_translate(cr, 23, 23 + i * 5.5);
        cairo_rotate(cr, -0.35);
        cairo_rectangle(cr, -14, -1, 28, 2);
        cairo_restore(cr);
        setColour(cr, {150, 60, 10}, 0.45);
        cairo_fill(cr);
    }
    cairo_restore(cr);
    ring(0, kPi); // the near half, in front
}

void drawJewel(cairo_t* cr) {
    cairo_arc(cr, 9, 9, 8, 0, 2 * kPi);
    setColour(cr, {150, 120, 40});
    cairo_fill(cr);
    cairo_arc(cr, 9, 9, 6.8, 0, 2 * kPi);
    setColour(cr, {60, 40, 8});
    cairo_fill(cr);
    shadedDisc(cr, 9, 9, 5.5, {60, 180, 200});
    sparkle(cr, 7, 7, 3, 0.9);
}

// The burst: a ring and spark that grow over the element for five frames, a flash that
// covers the cell, then the empty tile with the flash dying away.
void drawVanishFrame(cairo_t* cr, int frame, cairo_surface_t* tile) {
    const Rgb core{230, 250, 255};
    const Rgb ring{110, 210, 250};
    if (frame <= 4) {
        // A disc of light, bright to its rim: every visible pixel of the sheet is opaque in
        // the game, so a soft glow here would darken the element instead of lighting it.
        double r = 5 + frame * 4.0;
        cairo_pattern_t* p = cairo_pattern_create_radial(23, 23, 0, 23, 23, r);
        addStop(p, 0, core);
        addStop(p, 0.6, mix(core, ring, 0.5));
        addStop(p, 1, ring);
        cairo_set_source(cr, p);
        cairo_arc(cr, 23, 23, r, 0, 2 * kPi);
        cairo_fill(cr);
        cairo_pattern_destroy(p);
        sparkle(cr, 23, 23, std::min(22.0, r + 5), 1.0);
        Random rnd(1000 + static_cast<std::uint64_t>(frame));
        for (int i = 0; i < 3 + frame; ++i) {
            double a = rnd.range(0, 2 * kPi);
            double d = std::min(19.0, r + rnd.range(1, 4));
            sparkle(cr, 23 + d * std::cos(a), 23 + d * std::sin(a), rnd.range(2.5, 4.0), 1.0);
        }
        return;
    }
    paintPixelSurface(cr, tile, 0, 0);
    if (frame == 10) {
        return;
    }
    // Frames 5..9: the flash shrinks into the tile and its last sparks fade.
    double fade = (10 - frame) / 5.0;
    cairo_save(cr);
    cairo_rectangle(cr, 1, 1, 44, 44);
    cairo_clip(cr);
    glow(cr, 23, 23, 8 + 16 * fade, ring, 0.75 * fade);
    glow(cr, 23, 23, 4 + 10 * fade, core, fade);
    sparkle(cr, 23, 23, 4 + 14 * fade, fade);
    cairo_restore(cr);
}

} // namespace

Rgb kindColour(int kind) {
    switch (kind) {
    case 1:
        return {215, 48, 40};
    case 2:
        return {60, 185, 75};
    case 3:
        return {60, 115, 230};
    case 4:
        return {240, 200, 50};
    case 5:
        return {160, 80, 215};
    case 6:
        return {90, 210, 245};
    case 7:
        return {235, 130, 40};
    default:
        return {128, 128, 128};
    }
}

void drawElement(cairo_t* cr, int kind, double cx, double cy, double scale) {
    cairo_save(cr);
    cairo_translate(cr, cx - 23 * scale, cy - 23 * scale);
    cairo_scale(cr, scale, scale);
    switch (kind) {
    case 1:
        drawSphere(cr);
        break;
    case 2:
        drawTriangle(cr);
        break;
    case 3:
        drawDiamond(cr);
        break;
    case 4:
        drawSquareGem(cr);
        break;
    case 5:
        drawHexagon(cr);
        break;
    case 6:
        drawStarOrb(cr);
        break;
    case 7:
        drawRingedPlanet(cr);
        break;
    default:
        break;
    }
    cairo_restore(cr);
}

void drawGoldStar(cairo_t* cr, double cx, double cy, double radius) {
    starPath(cr, cx, cy + radius * 0.06, radius, radius * 0.45, 5);
    cairo_pattern_t* p =
        cairo_pattern_create_linear(cx - radius, cy - radius, cx + radius, cy + radius);
    addStop(p, 0, {255, 246, 170});
    addStop(p, 0.5, {240, 185, 35});
    addStop(p, 1, {170, 100, 8});
    cairo_set_source(cr, p);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(p);
    setColour(cr, {110, 60, 0});
    cairo_set_line_width(cr, std::max(0.8, radius * 0.06));
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke(cr);
    // A ridge from each tip to the centre gives the star its bevel.
    cairo_new_path(cr);
    for (int i = 0; i < 5; ++i) {
        double a = -kPi / 2 + i * 2 * kPi / 5;
        cairo_move_to(cr, cx, cy + radius * 0.06);
        cairo_line_to(cr, cx + radius * 0.85 * std::cos(a),
                      cy + radius * 0.06 + radius * 0.85 * std::sin(a));
    }
    setColour(cr, {255, 250, 210}, 0.55);
    cairo_set_line_width(cr, std::max(0.6, radius * 0.05));
    cairo_stroke(cr);
}

cairo_surface_t* createCellTile(int scale) {
    cairo_surface_t* tile =
        cairo_image_surface_create(CAIRO_FORMAT_ARGB32, kCell * scale, kCell * scale);
    cairo_t* cr = cairo_create(tile);
    cairo_scale(cr, scale, scale);
    setColour(cr, kTileBorder);
    cairo_paint(cr);
    cairo_pattern_t* p = cairo_pattern_create_radial(23, 20, 2, 23, 23, 34);
    addStop(p, 0, {16, 38, 56});
    addStop(p, 1, {6, 16, 28});
    cairo_rectangle(cr, 1, 1, 44, 44);
    cairo_set_source(cr, p);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
    // A faint bevel: light along the top and left, shade along the bottom and right.
    cairo_rectangle(cr, 1, 1, 44, 1);
    cairo_rectangle(cr, 1, 2, 1, 43);
    setColour(cr, {24, 54, 72});
    cairo_fill(cr);
    cairo_rectangle(cr, 2, 44, 43, 1);
    cairo_rectangle(cr, 44, 2, 1, 42);
    setColour(cr, {4, 12, 20});
    cairo_fill(cr);
    cairo_destroy(cr);
    cairo_surface_flush(tile);
    return tile;
}

bool paintElementPiece(cairo_t* cr, const Piece& piece) {
    const std::string family = piece.family();
    if (family == "element") {
        drawElement(cr, piece.index(), 23, 23);
        return true;
    }
    if (family == "star_icon") {
        drawGoldStar(cr, 23, 23, 15);
        return true;
    }
    if (family == "panel_ornament") {
        drawJewel(cr);
        return true;
    }
    if (family == "vanish") {
        cairo_surface_t* tile = createCellTile(pixelsPerUnit(cr));
        drawVanishFrame(cr, piece.index(), tile);
        cairo_surface_destroy(tile);
        return true;
    }
    return false;
}

} // namespace assetgen
