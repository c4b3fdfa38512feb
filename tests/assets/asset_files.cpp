#include "asset_files.hpp"

#include <cairo.h>
#include <gtest/gtest.h>
#include <jpeglib.h>
#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <iterator>

namespace assettest {

double distance(Rgb8 a, Rgb8 b) {
    return std::hypot(a.r - b.r, a.g - b.g, a.b - b.b);
}

std::vector<Rgb8> Image::region(int x, int y, int w, int h) const {
    std::vector<Rgb8> out;
    for (int j = y; j < y + h; ++j)
        out.insert(out.end(), pixels.begin() + j * width + x, pixels.begin() + j * width + x + w);
    return out;
}

int Image::countNonBlack(int x, int y, int w, int h) const {
    auto area = region(x, y, w, h);
    return static_cast<int>(
        std::count_if(area.begin(), area.end(), [](Rgb8 c) { return !c.black(); }));
}

Rgb8 Image::meanVisible(int x, int y, int w, int h) const {
    long r = 0, g = 0, b = 0, n = 0;
    for (const Rgb8& c : region(x, y, w, h)) {
        if (!c.black())
            r += c.r, g += c.g, b += c.b, ++n;
    }
    return n == 0 ? Rgb8{} : Rgb8{int(r / n), int(g / n), int(b / n)};
}

Image loadPng(const std::string& path) {
    Image img;
    cairo_surface_t* s = cairo_image_surface_create_from_png(path.c_str());
    if (cairo_surface_status(s) == CAIRO_STATUS_SUCCESS) {
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
    } else {
        ADD_FAILURE() << "cannot read PNG " << path;
    }
    cairo_surface_destroy(s);
    return img;
}

// A broken file makes libjpeg end the program with its reason, which fails the test too.
Image loadJpeg(const std::string& path) {
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
    img.components = info.num_components;
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

Sound loadSound(const std::string& path) {
    Sound sound;
    SF_INFO info{};
    SNDFILE* f = sf_open(path.c_str(), SFM_READ, &info);
    if (f == nullptr)
        return sound;
    sound = {true, info.samplerate, info.channels, info.format, {}};
    std::vector<float> frames(static_cast<std::size_t>(info.frames * info.channels));
    sf_count_t got = sf_readf_float(f, frames.data(), info.frames);
    sf_close(f);
    for (sf_count_t i = 0; i < got; ++i) {
        float sum = 0;
        for (int c = 0; c < info.channels; ++c)
            sum += frames[static_cast<std::size_t>(i * info.channels + c)];
        sound.mono.push_back(sum / static_cast<float>(info.channels));
    }
    return sound;
}

std::vector<unsigned char> readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

} // namespace assettest
