#include "paint.hpp"

#include <cairo-ft.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace assetgen {

namespace {

constexpr double kPi = 3.14159265358979323846;

double unit8(int v) {
    return std::clamp(v, 0, 255) / 255.0;
}

struct FontSet {
    FT_Library library = nullptr;
    FT_Face faces[2] = {nullptr, nullptr};
    cairo_font_face_t* cairoFaces[2] = {nullptr, nullptr};
};

FontSet& fontSet() {
    static FontSet set;
    return set;
}

} // namespace

Rgb mix(Rgb a, Rgb b, double t) {
    auto lerp = [t](int x, int y) { return static_cast<int>(std::lround(x + (y - x) * t)); };
    return {lerp(a.r, b.r), lerp(a.g, b.g), lerp(a.b, b.b)};
}

Rgb scale(Rgb c, double f) {
    auto s = [f](int x) { return std::clamp(static_cast<int>(std::lround(x * f)), 0, 255); };
    return {s(c.r), s(c.g), s(c.b)};
}

void setColour(cairo_t* cr, Rgb c, double alpha) {
    cairo_set_source_rgba(cr, unit8(c.r), unit8(c.g), unit8(c.b), alpha);
}

void addStop(cairo_pattern_t* p, double offset, Rgb c, double alpha) {
    cairo_pattern_add_color_stop_rgba(p, offset, unit8(c.r), unit8(c.g), unit8(c.b), alpha);
}

void fillVertical(cairo_t* cr, double y0, double y1, Rgb top, Rgb bottom, KeepPath keep) {
    cairo_pattern_t* p = cairo_pattern_create_linear(0, y0, 0, y1);
    addStop(p, 0, top);
    addStop(p, 1, bottom);
    cairo_set_source(cr, p);
    if (keep == KeepPath::Yes) {
        cairo_fill_preserve(cr);
    } else {
        cairo_fill(cr);
    }
    cairo_pattern_destroy(p);
}

void roundedRect(cairo_t* cr, double x, double y, double w, double h, double r) {
    r = std::min({r, w / 2, h / 2});
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + w - r, y + r, r, -kPi / 2, 0);
    cairo_arc(cr, x + w - r, y + h - r, r, 0, kPi / 2);
    cairo_arc(cr, x + r, y + h - r, r, kPi / 2, kPi);
    cairo_arc(cr, x + r, y + r, r, kPi, 3 * kPi / 2);
    cairo_close_path(cr);
}

void starPath(cairo_t* cr, double cx, double cy, double outer, double inner, int points,
              double angle) {
    cairo_new_sub_path(cr);
    for (int i = 0; i < 2 * points; ++i) {
        double a = angle - kPi / 2 + i * kPi / points;
        double r = (i % 2 == 0) ? outer : inner;
        cairo_line_to(cr, cx + r * std::cos(a), cy + r * std::sin(a));
    }
    cairo_close_path(cr);
}

void polygonPath(cairo_t* cr, double cx, double cy, double radius, int sides, double angle) {
    cairo_new_sub_path(cr);
    for (int i = 0; i < sides; ++i) {
        double a = angle - kPi / 2 + i * 2 * kPi / sides;
        cairo_line_to(cr, cx + radius * std::cos(a), cy + radius * std::sin(a));
    }
    cairo_close_path(cr);
}

void glow(cairo_t* cr, double cx, double cy, double radius, Rgb c, double alpha) {
    cairo_pattern_t* p = cairo_pattern_create_radial(cx, cy, 0, cx, cy, radius);
    addStop(p, 0.0, c, alpha);
    addStop(p, 0.35, c, alpha * 0.45);
    addStop(p, 1.0, c, 0.0);
    cairo_set_source(cr, p);
    cairo_arc(cr, cx, cy, radius, 0, 2 * kPi);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
}

void shadedDisc(cairo_t* cr, double cx, double cy, double radius, Rgb base) {
    cairo_pattern_t* p = cairo_pattern_create_radial(cx - radius * 0.35, cy - radius * 0.4,
                                                     radius * 0.05, cx, cy, radius);
    addStop(p, 0.0, mix(base, {255, 255, 255}, 0.7));
    addStop(p, 0.3, mix(base, {255, 255, 255}, 0.15));
    addStop(p, 0.75, base);
    addStop(p, 1.0, scale(base, 0.45));
    cairo_set_source(cr, p);
    cairo_arc(cr, cx, cy, radius, 0, 2 * kPi);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
}

void Fonts::load(const std::string& folder) {
    FontSet& set = fontSet();
    if (set.library != nullptr) {
        return;
    }
    if (FT_Init_FreeType(&set.library) != 0) {
        throw std::runtime_error("cannot start FreeType");
    }
    const std::string files[2] = {folder + "/LiberationSans-Regular.ttf",
                                  folder + "/LiberationSans-Bold.ttf"};
    for (int i = 0; i < 2; ++i) {
        if (FT_New_Face(set.library, files[i].c_str(), 0, &set.faces[i]) != 0) {
            throw std::runtime_error("cannot load font " + files[i]);
        }
        set.cairoFaces[i] = cairo_ft_font_face_create_for_ft_face(set.faces[i], 0);
    }
}

void Fonts::use(cairo_t* cr, Face face, double size) {
    FontSet& set = fontSet();
    if (set.library == nullptr) {
        throw std::logic_error("Fonts::load must run before text is drawn");
    }
    cairo_set_font_face(cr, set.cairoFaces[face == Face::Bold ? 1 : 0]);
    cairo_set_font_size(cr, size);
    // Outlines without hinting: the same glyph shapes at every size and position.
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
    cairo_set_font_options(cr, options);
    cairo_font_options_destroy(options);
}

double textWidth(cairo_t* cr, const std::string& utf8) {
    cairo_text_extents_t e;
    cairo_text_extents(cr, utf8.c_str(), &e);
    return e.x_advance;
}

double textCentred(cairo_t* cr, const std::string& utf8, double cx, double cy) {
    cairo_text_extents_t caps;
    cairo_text_extents(cr, "H", &caps);
    double w = textWidth(cr, utf8);
    cairo_move_to(cr, cx - w / 2, cy - caps.y_bearing / 2);
    cairo_show_text(cr, utf8.c_str());
    return w;
}

void textOutlined(cairo_t* cr, const std::string& utf8, double cx, double cy, Rgb fill, Rgb outline,
                  double outlineWidth) {
    cairo_text_extents_t caps;
    cairo_text_extents(cr, "H", &caps);
    double w = textWidth(cr, utf8);
    cairo_move_to(cr, cx - w / 2, cy - caps.y_bearing / 2);
    cairo_text_path(cr, utf8.c_str());
    setColour(cr, outline);
    cairo_set_line_width(cr, outlineWidth);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke_preserve(cr);
    setColour(cr, fill);
    cairo_fill(cr);
}

std::uint64_t Random::next() {
    state_ ^= state_ << 13;
    state_ ^= state_ >> 7;
    state_ ^= state_ << 17;
    return state_;
}

double Random::unit() {
    return static_cast<double>(next() >> 11) / 9007199254740992.0;
}

namespace {

double hashUnit(int x, int y, std::uint32_t seed) {
    std::uint32_t h = static_cast<std::uint32_t>(x) * 374761393u +
                      static_cast<std::uint32_t>(y) * 668265263u + seed * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    h ^= h >> 16;
    return (h & 0xFFFFFF) / 16777215.0;
}

double smooth(double t) {
    return t * t * t * (t * (t * 6 - 15) + 10);
}

} // namespace

double valueNoise(double x, double y, std::uint32_t seed) {
    int ix = static_cast<int>(std::floor(x));
    int iy = static_cast<int>(std::floor(y));
    double fx = smooth(x - ix);
    double fy = smooth(y - iy);
    double a = hashUnit(ix, iy, seed);
    double b = hashUnit(ix + 1, iy, seed);
    double c = hashUnit(ix, iy + 1, seed);
    double d = hashUnit(ix + 1, iy + 1, seed);
    return (a + (b - a) * fx) + ((c + (d - c) * fx) - (a + (b - a) * fx)) * fy;
}

double fractalNoise(double x, double y, int octaves, std::uint32_t seed) {
    double sum = 0;
    double amplitude = 1;
    double total = 0;
    double rx = x * 0.8 - y * 0.6;
    y = x * 0.6 + y * 0.8;
    x = rx;
    for (int i = 0; i < octaves; ++i) {
        sum += amplitude * valueNoise(x, y, seed + static_cast<std::uint32_t>(i) * 101u);
        total += amplitude;
        amplitude *= 0.5;
        // Turn each octave by about 37 degrees so the lattice of the noise never lines up.
        double nx = (x * 0.8 - y * 0.6) * 2.03;
        double ny = (x * 0.6 + y * 0.8) * 2.03;
        x = nx + 17.3;
        y = ny + 5.1;
    }
    return sum / total;
}

std::string scaledName(const std::string& file, int scale) {
    if (scale == 1) {
        return file;
    }
    const auto slash = file.rfind('/') + 1;
    return file.substr(0, slash) + std::to_string(scale) + "x/" + file.substr(slash);
}

int pixelsPerUnit(cairo_t* cr) {
    double dx = 1;
    double dy = 0;
    cairo_user_to_device_distance(cr, &dx, &dy);
    return static_cast<int>(std::lround(std::hypot(dx, dy)));
}

void paintPixelSurface(cairo_t* cr, cairo_surface_t* pixels, double x, double y) {
    const double k = pixelsPerUnit(cr);
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_scale(cr, 1 / k, 1 / k);
    cairo_set_source_surface(cr, pixels, 0, 0);
    cairo_paint(cr);
    cairo_restore(cr);
}

void checkCairo(cairo_status_t status, const std::string& what) {
    if (status != CAIRO_STATUS_SUCCESS) {
        throw std::runtime_error(what + ": " + cairo_status_to_string(status));
    }
}

namespace {

void writeFlattened(cairo_surface_t* argb, const std::string& path, bool keyed) {
    cairo_surface_flush(argb);
    int w = cairo_image_surface_get_width(argb);
    int h = cairo_image_surface_get_height(argb);
    SurfacePtr out(cairo_image_surface_create(CAIRO_FORMAT_RGB24, w, h));
    unsigned char* src = cairo_image_surface_get_data(argb);
    unsigned char* dst = cairo_image_surface_get_data(out.get());
    int srcStride = cairo_image_surface_get_stride(argb);
    int dstStride = cairo_image_surface_get_stride(out.get());
    for (int y = 0; y < h; ++y) {
        auto* s = reinterpret_cast<std::uint32_t*>(src + y * srcStride);
        auto* d = reinterpret_cast<std::uint32_t*>(dst + y * dstStride);
        for (int x = 0; x < w; ++x) {
            // Premultiplied colour over black is the colour channels as stored.
            std::uint32_t p = s[x];
            std::uint32_t rgb = p & 0x00FFFFFFu;
            if (keyed && rgb == 0 && (p >> 24) >= 128) {
                rgb = 0x00010101u;
            }
            d[x] = 0xFF000000u | rgb;
        }
    }
    cairo_surface_mark_dirty(out.get());
    checkCairo(cairo_surface_write_to_png(out.get(), path.c_str()), "writing " + path);
}

} // namespace

void writeKeyedPng(cairo_surface_t* argb, const std::string& path) {
    writeFlattened(argb, path, true);
}

void writeOpaquePng(cairo_surface_t* argb, const std::string& path) {
    writeFlattened(argb, path, false);
}

} // namespace assetgen
