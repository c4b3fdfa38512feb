#include "asset_files.hpp"

#include <cairo.h>
#include <gtest/gtest.h>
#include <jpeglib.h>
#include <sndfile.h>

#include <csetjmp>
#include <cstdio>
#include <fstream>
#include <iterator>

namespace assettest {

std::string assetDir() {
    return ORBELIUM_TEST_ASSET_DIR;
}
std::string manifestPath() {
    return ORBELIUM_TEST_MANIFEST;
}
std::string fontDir() {
    return ORBELIUM_TEST_FONT_DIR;
}
std::string fontLicence() {
    return ORBELIUM_TEST_FONT_LICENCE;
}

std::vector<Rgb8> Image::region(int x, int y, int w, int h) const {
    std::vector<Rgb8> out;
    for (int j = y; j < y + h; ++j) {
        for (int i = x; i < x + w; ++i)
            out.push_back(at(i, j));
    }
    return out;
}

int Image::countNonBlack(int x, int y, int w, int h) const {
    int n = 0;
    for (const Rgb8& p : region(x, y, w, h))
        n += p.black() ? 0 : 1;
    return n;
}

Image loadPng(const std::string& path) {
    Image img;
    cairo_surface_t* s = cairo_image_surface_create_from_png(path.c_str());
    if (cairo_surface_status(s) != CAIRO_STATUS_SUCCESS) {
        ADD_FAILURE() << "cannot read PNG " << path;
        cairo_surface_destroy(s);
        return img;
    }
    // Both generated kinds of PNG are opaque RGB; keep the colour channels as stored.
    EXPECT_EQ(cairo_image_surface_get_format(s), CAIRO_FORMAT_RGB24) << path << " has alpha";
    img.width = cairo_image_surface_get_width(s);
    img.height = cairo_image_surface_get_height(s);
    const unsigned char* data = cairo_image_surface_get_data(s);
    int stride = cairo_image_surface_get_stride(s);
    img.pixels.reserve(static_cast<std::size_t>(img.width) * img.height);
    for (int y = 0; y < img.height; ++y) {
        const auto* row = reinterpret_cast<const std::uint32_t*>(data + y * stride);
        for (int x = 0; x < img.width; ++x) {
            std::uint32_t v = row[x];
            img.pixels.push_back({static_cast<int>((v >> 16) & 255),
                                  static_cast<int>((v >> 8) & 255), static_cast<int>(v & 255)});
        }
    }
    cairo_surface_destroy(s);
    return img;
}

namespace {

struct JpegError {
    jpeg_error_mgr base;
    std::jmp_buf jump;
};

void onJpegError(j_common_ptr info) {
    std::longjmp(reinterpret_cast<JpegError*>(info->err)->jump, 1);
}

} // namespace

JpegInfo loadJpeg(const std::string& path) {
    JpegInfo result;
    FILE* f = std::fopen(path.c_str(), "rb");
    if (f == nullptr)
        return result;
    jpeg_decompress_struct info{};
    JpegError error{};
    info.err = jpeg_std_error(&error.base);
    error.base.error_exit = onJpegError;
    if (setjmp(error.jump) != 0) {
        jpeg_destroy_decompress(&info);
        std::fclose(f);
        return JpegInfo{};
    }
    jpeg_create_decompress(&info);
    jpeg_stdio_src(&info, f);
    jpeg_read_header(&info, TRUE);
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);
    result.width = static_cast<int>(info.output_width);
    result.height = static_cast<int>(info.output_height);
    result.components = info.num_components;
    result.image.width = result.width;
    result.image.height = result.height;
    std::vector<unsigned char> row(static_cast<std::size_t>(result.width) * 3);
    while (info.output_scanline < info.output_height) {
        JSAMPROW r = row.data();
        jpeg_read_scanlines(&info, &r, 1);
        for (int x = 0; x < result.width; ++x) {
            result.image.pixels.push_back({row[x * 3], row[x * 3 + 1], row[x * 3 + 2]});
        }
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    std::fclose(f);
    result.valid = true;
    return result;
}

Sound loadSound(const std::string& path) {
    Sound sound;
    SF_INFO info{};
    SNDFILE* f = sf_open(path.c_str(), SFM_READ, &info);
    if (f == nullptr)
        return sound;
    sound.opened = true;
    sound.rate = info.samplerate;
    sound.channels = info.channels;
    sound.format = info.format;
    std::vector<float> frames(static_cast<std::size_t>(info.frames) * info.channels);
    sf_count_t got = sf_readf_float(f, frames.data(), info.frames);
    sf_close(f);
    sound.mono.resize(static_cast<std::size_t>(got));
    for (sf_count_t i = 0; i < got; ++i) {
        float sum = 0;
        for (int c = 0; c < info.channels; ++c)
            sum += frames[static_cast<std::size_t>(i * info.channels + c)];
        sound.mono[static_cast<std::size_t>(i)] = sum / static_cast<float>(info.channels);
    }
    return sound;
}

std::vector<unsigned char> readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

} // namespace assettest
