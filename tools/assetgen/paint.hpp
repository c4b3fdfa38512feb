// Drawing helpers shared by every picture of the asset generator: colours, shapes,
// text in Liberation Sans, a seeded random source and PNG output.
#pragma once

#include <cairo.h>

#include <cstdint>
#include <memory>
#include <string>

namespace assetgen {

// An 8-bit colour as the pictures are designed; converted to cairo's 0..1 range on use.
struct Rgb {
    int r = 0;
    int g = 0;
    int b = 0;
};

Rgb mix(Rgb a, Rgb b, double t);
Rgb scale(Rgb c, double f);

void setColour(cairo_t* cr, Rgb c, double alpha = 1.0);
void addStop(cairo_pattern_t* p, double offset, Rgb c, double alpha = 1.0);
// Fills the current path with a vertical gradient, top at y0 and bottom at y1; the path
// is kept when an outline is to be stroked along it next.
enum class KeepPath { No, Yes };
void fillVertical(cairo_t* cr, double y0, double y1, Rgb top, Rgb bottom,
                  KeepPath keep = KeepPath::No);

void roundedRect(cairo_t* cr, double x, double y, double w, double h, double r);
// A star with `points` tips; angle 0 puts the first tip straight up.
void starPath(cairo_t* cr, double cx, double cy, double outer, double inner, int points,
              double angle = 0.0);
void polygonPath(cairo_t* cr, double cx, double cy, double radius, int sides, double angle);

// A soft round glow that fades to nothing at `radius`.
void glow(cairo_t* cr, double cx, double cy, double radius, Rgb c, double alpha);
// A sphere lit from the upper left: base colour with a highlight and a dark rim.
void shadedDisc(cairo_t* cr, double cx, double cy, double radius, Rgb base);

enum class Face { Regular, Bold };

// Liberation Sans, loaded from the fonts folder given to the generator.
class Fonts {
  public:
    static void load(const std::string& folder);
    static void use(cairo_t* cr, Face face, double size);
};

double textWidth(cairo_t* cr, const std::string& utf8);
// Draws text with its visual middle at (cx, cy); returns the width drawn.
double textCentred(cairo_t* cr, const std::string& utf8, double cx, double cy);
// Centred text in `fill` over a one-pixel dark outline so it reads on any plate.
void textOutlined(cairo_t* cr, const std::string& utf8, double cx, double cy, Rgb fill, Rgb outline,
                  double outlineWidth = 2.0);

// Small deterministic random source (xorshift); every picture seeds its own.
class Random {
  public:
    explicit Random(std::uint64_t seed) : state_(seed * 0x9E3779B97F4A7C15ull + 1) {}
    std::uint64_t next();
    double unit(); // [0, 1)
    double range(double lo, double hi) { return lo + (hi - lo) * unit(); }
    int below(int n) { return static_cast<int>(next() % static_cast<std::uint64_t>(n)); }

  private:
    std::uint64_t state_;
};

// Smooth value noise in [0, 1] with the given seed, for nebulae and planet surfaces.
double valueNoise(double x, double y, std::uint32_t seed);
double fractalNoise(double x, double y, int octaves, std::uint32_t seed);

// Writes an ARGB picture as an opaque RGB PNG over black. Black marks transparency
// in the game's keyed pictures, so a mostly covered pixel that would come out as
// pure black is lifted to (1, 1, 1) and stays visible.
void writeKeyedPng(cairo_surface_t* argb, const std::string& path);
// Writes a picture as an opaque RGB PNG over black, without the keying rule.
void writeOpaquePng(cairo_surface_t* argb, const std::string& path);

// Owners of cairo objects, so that a painter that throws leaks nothing.
struct CairoRelease {
    void operator()(cairo_t* c) const { cairo_destroy(c); }
    void operator()(cairo_surface_t* s) const { cairo_surface_destroy(s); }
};
using SurfacePtr = std::unique_ptr<cairo_surface_t, CairoRelease>;
using ContextPtr = std::unique_ptr<cairo_t, CairoRelease>;

// Every raster picture is painted once per art set: 1x for the window's own size, and 2x
// and 3x for larger screens, each exactly that many times the 1x picture's size.
constexpr int kArtScales[] = {1, 2, 3};
// "gr/elementy.png" at scale 2 is "gr/2x/elementy.png"; at scale 1 the name is unchanged.
std::string scaledName(const std::string& file, int scale);

// Device pixels per user unit of the context, for painters that keep pixel-sized surfaces.
int pixelsPerUnit(cairo_t* cr);
// Paints an image surface made at the context's pixels per unit with its top left at (x, y),
// pixel for pixel, rather than resampled by the context's scale.
void paintPixelSurface(cairo_t* cr, cairo_surface_t* pixels, double x, double y);

// Throws std::runtime_error with `what` when cairo reports an error.
void checkCairo(cairo_status_t status, const std::string& what);

} // namespace assetgen
