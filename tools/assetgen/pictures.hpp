// The pictures besides the element sheet: the planet strip, the backdrop, the title and the
// desktop icon.
#pragma once

#include <string>

namespace assetgen {

// Each picture is painted `scale` times its size below, every measure scaled with it.

// "gr/planety.png": Mercury to Neptune, 99 x 83 each at x = 101 * (level - 1), on black.
void writePlanets(const std::string& path, int scale = 1);
constexpr int kPlanetWidth = 99;
constexpr int kPlanetHeight = 83;
constexpr int kPlanetPitch = 101;
constexpr int kPlanetCount = 8;

// "gr/tlo2.jpg": starfield and nebula, wide enough for every screen's offset.
void writeBackdrop(const std::string& path, int scale = 1);
constexpr int kBackdropWidth = 1240;
constexpr int kBackdropHeight = 600;

// "gr/tytul.png": the ORBELIUM title picture shown on black at start-up.
void writeTitle(const std::string& path, int scale = 1);
constexpr int kTitleWidth = 500;
constexpr int kTitleHeight = 200;

// The desktop icon in a hicolor theme layout under `folder`: SIZExSIZE/apps/orbelium.png for
// each size below, with transparency around its rounded square, and scalable/apps/orbelium.svg.
void writeIcons(const std::string& folder);
constexpr int kIconSizes[] = {48, 128, 256};

} // namespace assetgen
