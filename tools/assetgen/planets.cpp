// The eight planets, each rendered as a lit sphere whose surface is a function of latitude
// and longitude; Saturn adds its rings. Supersampled for smooth edges.
#include "paint.hpp"
#include "pictures.hpp"

#include <algorithm>
#include <cmath>
#include <vector>

namespace assetgen {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr int kSub = 4; // samples per pixel side

struct Colour {
    double r = 0, g = 0, b = 0;
};

Colour rgb(int r, int g, int b) {
    return {r / 255.0, g / 255.0, b / 255.0};
}
Colour lerp(Colour a, Colour b, double t) {
    t = std::clamp(t, 0.0, 1.0);
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}
Colour times(Colour a, double f) {
    return {a.r * f, a.g * f, a.b * f};
}

struct Crater {
    double lat, lon, radius;
};

// Surface colour of planet `level` at latitude/longitude (radians).
class Surface {
  public:
    explicit Surface(int level) : level_(level) {
        Random rnd(77 + static_cast<std::uint64_t>(level));
        int count = level == 1 ? 34 : (level == 4 ? 8 : 0);
        for (int i = 0; i < count; ++i) {
            craters_.push_back({std::asin(rnd.range(-0.95, 0.95)), rnd.range(-kPi, kPi),
                                rnd.range(0.05, level == 1 ? 0.22 : 0.12)});
        }
    }

    Colour at(double lat, double lon) const {
        double x = std::cos(lat) * std::cos(lon);
        double y = std::sin(lat);
        double z = std::cos(lat) * std::sin(lon);
        auto noise = [&](double freq, int oct, std::uint32_t seed) {
            // Sample noise on two planes of the sphere point for a seamless pattern.
            return 0.5 * (fractalNoise(x * freq + 10, y * freq + 20, oct, seed) +
                          fractalNoise(z * freq + 30, y * freq + 40, oct, seed + 7));
        };
        switch (level_) {
        case 1: { // Mercury: grey, mottled and cratered
            Colour c = lerp(rgb(95, 92, 90), rgb(175, 170, 164), noise(3, 4, 11));
            return craterShade(c, lat, lon);
        }
        case 2: { // Venus: pale yellow cloud decks
            double swirl = noise(2.5, 4, 21);
            double band = 0.5 + 0.5 * std::sin(lat * 7 + swirl * 4);
            return lerp(rgb(222, 196, 130), rgb(246, 232, 186), 0.35 * band + 0.65 * swirl);
        }
        case 3: { // Earth: oceans, land, ice and clouds
            double land = noise(2.2, 5, 31);
            Colour c = land > 0.53 ? lerp(rgb(70, 120, 50), rgb(150, 130, 80), (land - 0.53) * 5)
                                   : lerp(rgb(20, 60, 150), rgb(40, 100, 190), land * 1.6);
            if (std::abs(lat) > 1.15)
                c = rgb(235, 240, 248);
            double cloud = noise(3.5, 4, 37);
            if (cloud > 0.55)
                c = lerp(c, rgb(250, 250, 255), (cloud - 0.55) * 4.5);
            return c;
        }
        case 4: { // Mars: rust with dark plains and a polar cap
            double dark = noise(2.6, 4, 41);
            Colour c = lerp(rgb(200, 96, 50), rgb(120, 50, 30), std::max(0.0, dark - 0.45) * 3);
            if (lat > 1.25)
                c = rgb(240, 232, 225);
            return craterShade(c, lat, lon);
        }
        case 5: { // Jupiter: bands with the Great Red Spot
            double turb = noise(4, 3, 51) - 0.5;
            double b = std::sin((lat + turb * 0.12) * 11);
            Colour c = lerp(rgb(180, 130, 90), rgb(236, 220, 190), 0.5 + 0.5 * b);
            double sx = (lon - 0.35) / 0.38;
            double sy = (lat + 0.36) / 0.15;
            double spot = sx * sx + sy * sy;
            if (spot < 1)
                c = lerp(rgb(200, 90, 60), c, spot * spot);
            return c;
        }
        case 6: { // Saturn: soft golden bands
            double b = std::sin(lat * 9 + (noise(4, 2, 61) - 0.5) * 0.6);
            return lerp(rgb(200, 170, 110), rgb(238, 218, 160), 0.5 + 0.5 * b);
        }
        case 7: { // Uranus: pale cyan, almost featureless
            double b = std::sin(lat * 5) * 0.5 + 0.5;
            return lerp(rgb(150, 215, 225), rgb(185, 235, 238), 0.3 * b + 0.2 * noise(3, 2, 71));
        }
        default: { // Neptune: deep blue with a dark spot and bright streaks
            double b = std::sin(lat * 8 + (noise(3, 3, 81) - 0.5) * 1.5);
            Colour c = lerp(rgb(40, 70, 190), rgb(70, 110, 225), 0.5 + 0.5 * b);
            double sx = (lon + 0.2) / 0.3;
            double sy = (lat + 0.35) / 0.12;
            if (sx * sx + sy * sy < 1)
                c = rgb(25, 40, 120);
            double streak = std::sin(lat * 30) * noise(5, 2, 83);
            if (lat > 0.2 && lat < 0.45 && streak > 0.3)
                c = lerp(c, rgb(220, 235, 255), 0.6);
            return c;
        }
        }
    }

  private:
    Colour craterShade(Colour c, double lat, double lon) const {
        for (const Crater& k : craters_) {
            double d =
                std::acos(std::clamp(std::sin(lat) * std::sin(k.lat) +
                                         std::cos(lat) * std::cos(k.lat) * std::cos(lon - k.lon),
                                     -1.0, 1.0)) /
                k.radius;
            if (d < 0.8)
                c = times(c, 0.78);
            else if (d < 1.0)
                c = times(c, 1.18);
        }
        return c;
    }

    int level_;
    std::vector<Crater> craters_;
};

struct Look {
    double radius;
    double tilt;       // axis tilt on screen, radians
    Colour atmosphere; // rim glow, none when black
};

Look lookOf(int level) {
    switch (level) {
    case 1:
        return {29, 0.0, {}};
    case 2:
        return {34, 0.0, rgb(120, 100, 50)};
    case 3:
        return {35, 0.4, rgb(60, 120, 230)};
    case 4:
        return {31, 0.3, rgb(90, 40, 20)};
    case 5:
        return {39, 0.05, {}};
    case 6:
        return {22, -0.35, {}};
    case 7:
        return {33, 1.4, rgb(60, 120, 130)};
    default:
        return {33, 0.3, rgb(40, 70, 160)};
    }
}

// Light from the upper left, in front of the planet.
constexpr double kLight[3] = {-0.55, -0.45, 0.70};

// Colour and coverage of one sample of Saturn's rings, or nothing.
bool ringSample(double dx, double dy, double radius, bool front, Colour& out) {
    const double tilt = -0.35; // same as Saturn's axis
    double u = dx * std::cos(tilt) + dy * std::sin(tilt);
    double v = -dx * std::sin(tilt) + dy * std::cos(tilt);
    const double squash = 0.34;
    double vr = v / squash;
    double r = std::sqrt(u * u + vr * vr) / radius;
    if (r < 1.3 || r > 2.1 || (vr > 0) != front)
        return false;
    if (r > 1.72 && r < 1.78)
        return false; // the Cassini division
    double shade = r < 1.72 ? 0.85 + 0.15 * std::sin(r * 40) : 0.7;
    out = times(rgb(220, 200, 160), shade);
    return true;
}

} // namespace

void writePlanets(const std::string& path, int scale) {
    const int width = (kPlanetPitch * (kPlanetCount - 1) + kPlanetWidth) * scale;
    const int height = kPlanetHeight * scale;
    // The larger sets keep at least as many samples per 1x pixel with fewer per own pixel.
    const int sub = std::max(2, kSub / scale);
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
    cairo_surface_flush(s);
    unsigned char* data = cairo_image_surface_get_data(s);
    int stride = cairo_image_surface_get_stride(s);
    double ln = std::sqrt(kLight[0] * kLight[0] + kLight[1] * kLight[1] + kLight[2] * kLight[2]);
    for (int level = 1; level <= kPlanetCount; ++level) {
        Surface surface(level);
        Look look = lookOf(level);
        const double cx = kPlanetWidth / 2.0;
        const double cy = kPlanetHeight / 2.0;
        for (int py = 0; py < height; ++py) {
            for (int px = 0; px < kPlanetWidth * scale; ++px) {
                Colour sum;
                double cover = 0;
                for (int sy = 0; sy < sub; ++sy) {
                    for (int sx = 0; sx < sub; ++sx) {
                        // In 1x units, so the planet is the same shape at every scale.
                        double dx = (px + (sx + 0.5) / sub) / scale - cx;
                        double dy = (py + (sy + 0.5) / sub) / scale - cy;
                        Colour c;
                        bool hit = false;
                        if (level == 6 && ringSample(dx, dy, look.radius, true, c)) {
                            hit = true;
                        } else if (dx * dx + dy * dy < look.radius * look.radius) {
                            double nx = dx / look.radius, ny = dy / look.radius;
                            double nz = std::sqrt(std::max(0.0, 1 - nx * nx - ny * ny));
                            // Rotate into the planet's own axis for latitude/longitude.
                            double ax = nx * std::cos(look.tilt) + ny * std::sin(look.tilt);
                            double ay = -nx * std::sin(look.tilt) + ny * std::cos(look.tilt);
                            double lat = std::asin(std::clamp(-ay, -1.0, 1.0));
                            double lon = std::atan2(ax, nz);
                            double lambert =
                                (nx * kLight[0] + ny * kLight[1] + nz * kLight[2]) / ln;
                            double light = 0.12 + 0.88 * std::pow(std::max(0.0, lambert), 0.8);
                            c = times(surface.at(lat, lon), light);
                            double rim = std::pow(1 - nz, 3);
                            c = lerp(c, look.atmosphere, rim * 0.8 * (look.atmosphere.b > 0));
                            hit = true;
                        } else if (level == 6 && ringSample(dx, dy, look.radius, false, c)) {
                            hit = true;
                        }
                        if (hit) {
                            sum.r += c.r;
                            sum.g += c.g;
                            sum.b += c.b;
                            cover += 1;
                        }
                    }
                }
                const double n = sub * sub;
                auto channel = [](double v) {
                    return static_cast<std::uint32_t>(std::clamp(std::lround(v * 255), 0L, 255L));
                };
                std::uint32_t a = channel(cover / n);
                std::uint32_t pixel = (a << 24) | (channel(sum.r / n) << 16) |
                                      (channel(sum.g / n) << 8) | channel(sum.b / n);
                int x = kPlanetPitch * (level - 1) * scale + px;
                reinterpret_cast<std::uint32_t*>(data + py * stride)[x] = pixel;
            }
        }
    }
    cairo_surface_mark_dirty(s);
    writeKeyedPng(s, path);
    cairo_surface_destroy(s);
}

} // namespace assetgen
