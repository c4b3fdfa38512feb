// The backdrop: deep blue space with a faint nebula and a calm field of stars, written as
// a JPEG. It stays dark behind the middle band where the panels and texts sit.
#include "paint.hpp"
#include "pictures.hpp"

#include <jpeglib.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <stdexcept>
#include <thread>
#include <vector>

namespace assetgen {

namespace {

constexpr int kLargeSetQuality = 85;

struct Pixel {
    double r, g, b;
};

// The picture being painted: `scale` pixels to each pixel of the 1x backdrop.
struct Canvas {
    int scale = 1;
    int width = kBackdropWidth;
    int height = kBackdropHeight;
    std::vector<Pixel> pixels;

    explicit Canvas(int k)
        : scale(k), width(kBackdropWidth * k), height(kBackdropHeight * k),
          pixels(static_cast<std::size_t>(width) * height) {}
    Pixel* at(int px, int py) {
        if (px < 0 || py < 0 || px >= width || py >= height)
            return nullptr;
        return &pixels[static_cast<std::size_t>(py) * width + px];
    }
};

// A round star at (x, y) of the 1x picture; `size` is its spread in 1x pixels.
void addStar(Canvas& img, double x, double y, double bright, Pixel tint, double size) {
    x *= img.scale;
    y *= img.scale;
    size *= img.scale;
    int reach = static_cast<int>(std::ceil(size * 3));
    for (int py = static_cast<int>(y) - reach; py <= static_cast<int>(y) + reach; ++py) {
        for (int px = static_cast<int>(x) - reach; px <= static_cast<int>(x) + reach; ++px) {
            Pixel* p = img.at(px, py);
            if (p == nullptr)
                continue;
            double dx = px + 0.5 - x, dy = py + 0.5 - y;
            double d2 = (dx * dx + dy * dy) / (size * size);
            double v = bright * std::exp(-d2 * 1.6);
            p->r += v * tint.r;
            p->g += v * tint.g;
            p->b += v * tint.b;
        }
    }
}

// A cross through the 1x pixel holding (x, y), one 1x pixel wide, fading over `length`.
void addSpikes(Canvas& img, double x, double y, double bright, double length) {
    const int k = img.scale;
    const int reach = static_cast<int>(length) * k;
    for (int i = -reach; i <= reach + k - 1; ++i) {
        // Distance in 1x pixels from the middle of the spike's centre pixel.
        double d = (i - (k - 1) / 2.0) / k;
        double v = bright * std::pow(std::max(0.0, 1 - std::abs(d) / length), 3);
        for (int across = 0; across < k; ++across) {
            for (int axis = 0; axis < 2; ++axis) {
                int px = static_cast<int>(x) * k + (axis == 0 ? i : across);
                int py = static_cast<int>(y) * k + (axis == 1 ? i : across);
                Pixel* p = img.at(px, py);
                if (p == nullptr)
                    continue;
                p->r += v * 0.8;
                p->g += v * 0.9;
                p->b += v;
            }
        }
    }
}

} // namespace

void writeBackdrop(const std::string& path, int scale) {
    Canvas img(scale);
    const int w = img.width;
    const int h = img.height;
    // Each pixel's sky depends on its place alone, so bands of rows are painted side by side.
    auto paintRows = [&img, scale, w](int from, int to) {
        for (int py = from; py < to; ++py) {
            for (int px = 0; px < w; ++px) {
                // The pixel's centre in 1x pixels, so the clouds lie the same at every scale.
                double x = (px + 0.5) / scale - 0.5;
                double y = (py + 0.5) / scale - 0.5;
                double fy = y / kBackdropHeight;
                Pixel base{0.008 + 0.012 * fy, 0.016 + 0.02 * fy, 0.05 + 0.04 * fy};
                // Two nebula clouds along a diagonal band, violet and teal, kept faint.
                double band = std::exp(-std::pow((y - 0.35 * x - 40) / 170.0, 2));
                double n1 = fractalNoise(x / 210.0, y / 210.0, 5, 5);
                double n2 = fractalNoise(x / 140.0 + 9, y / 140.0, 5, 6);
                double violet = std::pow(std::max(0.0, n1 - 0.42) * 1.9, 1.6) * (0.35 + band);
                double teal = std::pow(std::max(0.0, n2 - 0.47) * 2.0, 1.7) * (0.25 + band);
                double dust = fractalNoise(x / 60.0, y / 60.0, 3, 7);
                double glowScale = 0.75 + 0.5 * dust;
                *img.at(px, py) = {base.r + glowScale * (0.27 * violet + 0.03 * teal),
                                   base.g + glowScale * (0.07 * violet + 0.21 * teal),
                                   base.b + glowScale * (0.40 * violet + 0.26 * teal)};
            }
        }
    };
    const int bands = static_cast<int>(std::clamp(std::thread::hardware_concurrency(), 1u, 8u));
    {
        std::vector<std::jthread> workers;
        for (int band = 1; band < bands; ++band)
            workers.emplace_back(paintRows, h * band / bands, h * (band + 1) / bands);
        paintRows(0, h / bands);
    }
    // The same stars at every scale: one random sequence, placed in 1x pixels.
    Random rnd(2024);
    for (int i = 0; i < 2600; ++i) {
        double x = rnd.range(0, kBackdropWidth), y = rnd.range(0, kBackdropHeight);
        double bright = std::pow(rnd.unit(), 3.2) * 0.9 + 0.06;
        double t = rnd.unit();
        Pixel tint = t < 0.2 ? Pixel{1.0, 0.85, 0.7}
                             : (t < 0.55 ? Pixel{0.75, 0.85, 1.0} : Pixel{0.95, 0.95, 1.0});
        addStar(img, x, y, bright, tint, 0.55 + bright * 0.5);
    }
    // A few brighter stars with soft spikes.
    for (int i = 0; i < 14; ++i) {
        double x = rnd.range(20, kBackdropWidth - 20), y = rnd.range(20, kBackdropHeight - 20);
        addStar(img, x, y, 0.7, {0.9, 0.95, 1.0}, 1.3);
        addStar(img, x, y, 0.15, {0.5, 0.7, 1.0}, 4.0);
        addSpikes(img, x, y, 0.35, rnd.range(7, 13));
    }

    std::vector<unsigned char> rows(static_cast<std::size_t>(w) * h * 3);
    for (std::size_t i = 0; i < img.pixels.size(); ++i) {
        auto to8 = [](double v) {
            return static_cast<unsigned char>(std::clamp(std::lround(v * 255), 0L, 255L));
        };
        rows[i * 3] = to8(img.pixels[i].r);
        rows[i * 3 + 1] = to8(img.pixels[i].g);
        rows[i * 3 + 2] = to8(img.pixels[i].b);
    }

    FILE* out = std::fopen(path.c_str(), "wb");
    if (out == nullptr) {
        throw std::runtime_error("cannot write " + path);
    }
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    jpeg_stdio_dest(&info, out);
    info.image_width = static_cast<JDIMENSION>(w);
    info.image_height = static_cast<JDIMENSION>(h);
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    // The larger sets are seen scaled down, where a lower quality does not show.
    jpeg_set_quality(&info, scale == 1 ? 92 : kLargeSetQuality, TRUE);
    info.optimize_coding = TRUE;
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = &rows[static_cast<std::size_t>(info.next_scanline) * w * 3];
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    std::fclose(out);
}

} // namespace assetgen
