// Reading the generated assets back for the tests: pictures as plain RGB pixels, sounds as
// float samples. Paths come from the build.
#pragma once

#include <string>
#include <vector>

namespace assettest {

inline std::string asset(const std::string& file) {
    return std::string(ORBELIUM_TEST_ASSET_DIR) + "/" + file;
}

struct Rgb8 {
    int r = 0, g = 0, b = 0;
    bool operator==(const Rgb8&) const = default;
    bool black() const { return r == 0 && g == 0 && b == 0; }
};
double distance(Rgb8 a, Rgb8 b);

struct Image {
    int width = 0, height = 0, components = 0;
    std::vector<Rgb8> pixels;
    Rgb8 at(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
    std::vector<Rgb8> region(int x, int y, int w, int h) const; // row by row
    int countNonBlack(int x, int y, int w, int h) const;
    Rgb8 meanVisible(int x, int y, int w, int h) const; // mean of the non-black pixels
};

Image loadPng(const std::string& path);  // fails the test on error; must be opaque RGB
Image loadJpeg(const std::string& path); // empty when missing

struct Sound {
    bool opened = false;
    int rate = 0, channels = 0, format = 0; // format: libsndfile's word
    std::vector<float> mono;                // channels averaged
};
Sound loadSound(const std::string& path);

std::vector<unsigned char> readBytes(const std::string& path);

} // namespace assettest
