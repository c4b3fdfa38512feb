// Reading the generated assets back for the tests: pictures as plain RGB pixels, sounds as
// float samples, files as bytes. Paths come from the build.
#pragma once

#include <cairo.h>
#include <gtest/gtest.h>
#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <numeric>
#include <string>
#include <vector>

#include <jpeglib.h> // after <cstdio>, which it needs

namespace assettest {

inline std::string asset(const std::string& file) {
    return std::string(ORBELIUM_TEST_ASSET_DIR) + "/" + file;
}

inline std::vector<unsigned char> readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

struct Rgb8 {
    int r = 0, g = 0, b = 0;
    bool operator==(const Rgb8&) const = default;
    bool black() const { return r == 0 && g == 0 && b == 0; }
};

inline double distance(Rgb8 a, Rgb8 b) {
    return std::hypot(a.r - b.r, a.g - b.g, a.b - b.b);
}

struct Image {
    int width = 0, height = 0;
    std::vector<Rgb8> pixels;

    Rgb8 at(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
    std::vector<Rgb8> region(int x, int y, int w, int h) const { // row by row
        std::vector<Rgb8> out;
        for (auto row = pixels.begin() + y * width + x; h-- > 0; row += width)
            out.insert(out.end(), row, row + w);
        return out;
    }
    int countNonBlack(int x, int y, int w, int h) const {
        auto area = region(x, y, w, h);
        return static_cast<int>(std::ranges::count_if(area, [](Rgb8 c) { return !c.black(); }));
    }
    Rgb8 meanVisible(int x, int y, int w, int h) const { // mean of the non-black pixels
        long r = 0, g = 0, b = 0, n = 0;
        for (const Rgb8& c : region(x, y, w, h)) {
            if (!c.black())
                r += c.r, g += c.g, b += c.b, ++n;
        }
        return n == 0 ? Rgb8{} : Rgb8{int(r / n), int(g / n), int(b / n)};
    }
};

// Fails the calling test unless the file is an opaque RGB PNG.
inline Image loadPng(const std::string& path) {
    Image img;
    cairo_surface_t* s = cairo_image_surface_create_from_png(path.c_str());
    EXPECT_EQ(cairo_surface_status(s), CAIRO_STATUS_SUCCESS) << "cannot read " << path;
    EXPECT_EQ(cairo_image_surface_get_format(s), CAIRO_FORMAT_RGB24) << path << " has alpha";
    img.width = cairo_image_surface_get_width(s);
    img.height = cairo_image_surface_get_height(s);
    for (int y = 0; y < img.height; ++y) {
        const auto* row = reinterpret_cast<const std::uint32_t*>(
            cairo_image_surface_get_data(s) + y * cairo_image_surface_get_stride(s));
        for (int x = 0; x < img.width; ++x)
            img.pixels.push_back(
                {int(row[x] >> 16 & 255), int(row[x] >> 8 & 255), int(row[x] & 255)});
    }
    cairo_surface_destroy(s);
    return img;
}

// Empty when the file is missing; a broken one makes libjpeg end the test with its reason.
inline Image loadJpeg(const std::string& path) {
    Image img;
    FILE* f = std::fopen(path.c_str(), "rb");
    if (f == nullptr)
        return img;
    jpeg_decompress_struct info{};
    jpeg_error_mgr error{};
    info.err = jpeg_std_error(&error);
    jpeg_create_decompress(&info);
    jpeg_stdio_src(&info, f);
    jpeg_read_header(&info, TRUE);
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);
    img.width = static_cast<int>(info.output_width);
    img.height = static_cast<int>(info.output_height);
    std::vector<unsigned char> row(static_cast<std::size_t>(img.width) * 3);
    for (JSAMPROW r = row.data(); info.output_scanline < info.output_height;) {
        jpeg_read_scanlines(&info, &r, 1);
        for (int x = 0; x < img.width; ++x)
            img.pixels.push_back({row[x * 3], row[x * 3 + 1], row[x * 3 + 2]});
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    std::fclose(f);
    return img;
}

struct Sound {
    int rate = 0, channels = 0, format = 0; // format: libsndfile's word; all 0 when unreadable
    std::vector<float> mono;                // channels averaged
};

inline Sound loadSound(const std::string& path) {
    SF_INFO info{};
    SNDFILE* f = sf_open(path.c_str(), SFM_READ, &info);
    if (f == nullptr)
        return {};
    Sound sound{info.samplerate, info.channels, info.format, {}};
    std::vector<float> frames(static_cast<std::size_t>(info.frames * info.channels));
    sf_count_t got = sf_readf_float(f, frames.data(), info.frames);
    sf_close(f);
    for (auto frame = frames.begin(); got-- > 0; frame += info.channels)
        sound.mono.push_back(std::accumulate(frame, frame + info.channels, 0.0f) / info.channels);
    return sound;
}

} // namespace assettest
