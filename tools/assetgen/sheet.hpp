// The element and interface sheet "gr/elementy.png", painted piece by piece from the manifest.
#pragma once

#include "manifest.hpp"

#include <string>

namespace assetgen {

// Paints every manifest piece into a new sheet `scale` times the manifest's size and writes
// it as a keyed PNG. Throws when a piece has no painter or lies outside the sheet.
void writeSheet(const Manifest& manifest, const std::string& path, int scale = 1);

} // namespace assetgen
