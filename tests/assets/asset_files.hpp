// Reading the generated assets back for the tests: pictures as plain RGB pixels, sounds as
// float samples. Paths come from the build (the asset folder and the manifest).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace assettest {

std::string assetDir();
std::string manifestPath();
std::string fontDir();
std::string fontLicence();

struct Rgb8 {
    int r = 0, g = 0, b = 0;
    bool operator==(const Rgb8&) const = default;
    bool black() const { return r == 0 && g == 0 && b == 0; }
};

struct Image {
    int width = 0;
    int height = 0;
    std::vector<Rgb8> pixels;
    Rgb8 at(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
    // Pixels of a rectangle, row by row.
    std::vector<Rgb8> region(int x, int y, int w, int h) const;
    int countNonBlack(int x, int y, int w, int h) const;
};

// Loads a PNG; fails the calling test (ADD_FAILURE) and returns an empty image on error.
Image loadPng(const std::string& path);

struct JpegInfo {
    bool valid = false;
    int width = 0;
    int height = 0;
    int components = 0;
    Image image;
};
JpegInfo loadJpeg(const std::string& path);

struct Sound {
    bool opened = false;
    int rate = 0;
    int channels = 0;
    int format = 0;          // libsndfile format word
    std::vector<float> mono; // channels averaged
};
Sound loadSound(const std::string& path);

std::vector<unsigned char> readBytes(const std::string& path);

} // namespace assettest
