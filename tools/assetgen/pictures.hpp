// The pictures besides the element sheet: the planet strip, the backdrop and the title.
#pragma once

#include <string>

namespace assetgen {

// "gr/planety.png": Mercury to Neptune, 99 x 83 each at x = 101 * (level - 1), on black.
void writePlanets(const std::string& path);
constexpr int kPlanetWidth = 99;
constexpr int kPlanetHeight = 83;
constexpr int kPlanetPitch = 101;
constexpr int kPlanetCount = 8;

// "gr/tlo2.jpg": starfield and nebula, wide enough for every screen's offset.
void writeBackdrop(const std::string& path);
constexpr int kBackdropWidth = 1240;
constexpr int kBackdropHeight = 600;

// "gr/tytul.png": the ORBELIUM title picture shown on black at start-up.
void writeTitle(const std::string& path);
constexpr int kTitleWidth = 500;
constexpr int kTitleHeight = 200;

} // namespace assetgen
