// The desktop icon: the bonus element's ringed planet on a dark rounded square of space,
// with a faint orbit carrying two of the board's gems and a few stars. One set of vector
// calls draws every size, so the PNGs and the SVG always show the same picture.
#include "paint.hpp"
#include "pictures.hpp"
#include "sheet_parts.hpp"

#include <cairo-svg.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <stdexcept>

namespace assetgen {

namespace {

namespace fs = std::filesystem;

constexpr double kPi = 3.14159265358979323846;
// Everything is laid out on a 256-unit square and scaled to the size asked for.
constexpr double kDesign = 256;
constexpr double kEdge = 10; // transparent margin around the rounded square
constexpr double kCorner = 50;

// The orbit: an ellipse about the centre, tilted like the planet's own ring.
constexpr double kOrbitA = 106, kOrbitB = 60, kOrbitTilt = -0.42;

struct Point {
    double x, y;
};

// The point at angle `t` along the orbit; sin(t) > 0 is the near half, below the planet.
Point orbitPoint(double t) {
    double ex = kOrbitA * std::cos(t), ey = kOrbitB * std::sin(t);
    return {kDesign / 2 + ex * std::cos(kOrbitTilt) - ey * std::sin(kOrbitTilt),
            kDesign / 2 + ex * std::sin(kOrbitTilt) + ey * std::cos(kOrbitTilt)};
}

void squarePath(cairo_t* cr, double inset) {
    const double side = kDesign - 2 * (kEdge + inset);
    roundedRect(cr, kEdge + inset, kEdge + inset, side, side, kCorner - inset);
}

// Drawn inside the clip of the rounded square, so the glow cannot spill past it.
void background(cairo_t* cr) {
    cairo_pattern_t* p = cairo_pattern_create_radial(100, 84, 0, 128, 128, 190);
    addStop(p, 0, {36, 44, 104});
    addStop(p, 0.45, {16, 22, 60});
    addStop(p, 1, {4, 6, 20});
    cairo_set_source(cr, p);
    cairo_paint(cr);
    cairo_pattern_destroy(p);
    // A violet haze low on the right keeps the dark from looking flat.
    glow(cr, 190, 196, 96, {110, 40, 150}, 0.35);
}

// `pixel` is one device pixel in design units, so that fine detail never thins to nothing.
void stars(cairo_t* cr, double pixel) {
    Random rnd(2024);
    for (int placed = 0; placed < 16;) {
        double x = rnd.range(24, 232), y = rnd.range(24, 232);
        double brightness = rnd.range(0.45, 1.0);
        // Keep clear of the planet, where they would only be covered.
        if (std::hypot(x - 128, y - 128) < 70)
            continue;
        cairo_arc(cr, x, y, std::max(1.0 + 1.4 * brightness, 0.6 * pixel), 0, 2 * kPi);
        setColour(cr, {210, 225, 255}, brightness);
        cairo_fill(cr);
        ++placed;
    }
    // Two brighter four-pointed sparkles in the emptier corners.
    starPath(cr, 62, 58, 11, 2.2, 4);
    starPath(cr, 206, 214, 8, 1.8, 4);
    setColour(cr, {235, 245, 255});
    cairo_fill(cr);
}

void orbit(cairo_t* cr, double from, double to, double pixel) {
    cairo_save(cr);
    cairo_translate(cr, kDesign / 2, kDesign / 2);
    cairo_rotate(cr, kOrbitTilt);
    cairo_scale(cr, 1.0, kOrbitB / kOrbitA);
    cairo_new_path(cr);
    cairo_arc(cr, 0, 0, kOrbitA, from, to);
    cairo_restore(cr);
    setColour(cr, {150, 200, 240}, 0.35);
    cairo_set_line_width(cr, std::max(2.5, pixel));
    cairo_stroke(cr);
}

void rim(cairo_t* cr, double pixel) {
    const double width = std::max(3.0, 1.2 * pixel);
    squarePath(cr, width / 2);
    cairo_pattern_t* p = cairo_pattern_create_linear(0, kEdge, 0, kDesign - kEdge);
    addStop(p, 0, {150, 180, 210}, 0.9);
    addStop(p, 0.5, {70, 96, 130}, 0.7);
    addStop(p, 1, {30, 44, 70}, 0.9);
    cairo_set_source(cr, p);
    cairo_set_line_width(cr, width);
    cairo_stroke(cr);
    cairo_pattern_destroy(p);
}

void drawIcon(cairo_t* cr, int size) {
    const double pixel = kDesign / size;
    cairo_save(cr);
    cairo_scale(cr, size / kDesign, size / kDesign);
    cairo_save(cr);
    squarePath(cr, 0);
    cairo_clip(cr);
    background(cr);
    stars(cr, pixel);
    // The far half of the orbit, with the blue diamond on it, passes behind the planet; the
    // near half, with the red sphere, in front.
    orbit(cr, kPi, 2 * kPi, pixel);
    const Point far = orbitPoint(5.4), near = orbitPoint(2.2);
    drawElement(cr, 3, far.x, far.y);
    drawElement(cr, 7, kDesign / 2, kDesign / 2, 3.6);
    orbit(cr, 0, kPi, pixel);
    drawElement(cr, 1, near.x, near.y);
    cairo_restore(cr);
    rim(cr, pixel);
    cairo_restore(cr);
}

void writePng(int size, const fs::path& path) {
    SurfacePtr surface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, size, size));
    ContextPtr cr(cairo_create(surface.get()));
    drawIcon(cr.get(), size);
    checkCairo(cairo_status(cr.get()), "drawing " + path.string());
    // Kept with its alpha: unlike the game's keyed pictures, the icon sits on any desktop.
    checkCairo(cairo_surface_write_to_png(surface.get(), path.c_str()), "writing " + path.string());
}

cairo_status_t appendTo(void* text, const unsigned char* data, unsigned int length) {
    static_cast<std::string*>(text)->append(reinterpret_cast<const char*>(data), length);
    return CAIRO_STATUS_SUCCESS;
}

void writeSvg(const fs::path& path) {
    const int size = static_cast<int>(kDesign);
    std::string svg;
    SurfacePtr surface(cairo_svg_surface_create_for_stream(appendTo, &svg, size, size));
    cairo_svg_surface_restrict_to_version(surface.get(), CAIRO_SVG_VERSION_1_1);
    cairo_svg_surface_set_document_unit(surface.get(), CAIRO_SVG_UNIT_PX);
    {
        ContextPtr cr(cairo_create(surface.get()));
        drawIcon(cr.get(), size);
        checkCairo(cairo_status(cr.get()), "drawing " + path.string());
    }
    cairo_surface_finish(surface.get());
    checkCairo(cairo_surface_status(surface.get()), "drawing " + path.string());
    // cairo names the drawing's group after a count of every surface the process has made,
    // so the same icon would come out differently after other pictures; nothing refers to
    // the name, and a fixed one keeps the file's bytes the same.
    const std::string group = "<g id=\"surface";
    if (auto at = svg.find(group); at != std::string::npos) {
        auto end = svg.find('"', at + group.size());
        svg.replace(at, end - at + 1, "<g id=\"orbelium\"");
    }
    std::ofstream out(path, std::ios::binary);
    out << svg;
    if (!out.flush())
        throw std::runtime_error("cannot write " + path.string());
}

} // namespace

void writeIcons(const std::string& folder) {
    const fs::path root(folder);
    for (int size : kIconSizes) {
        const std::string box = std::to_string(size) + "x" + std::to_string(size);
        fs::create_directories(root / box / "apps");
        writePng(size, root / box / "apps" / "orbelium.png");
    }
    fs::create_directories(root / "scalable/apps");
    writeSvg(root / "scalable/apps/orbelium.svg");
}

} // namespace assetgen
