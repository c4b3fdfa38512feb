#pragma once

#include "manifest.hpp"

#include <string>

namespace assetgen {

// The C++ header that names every piece of the sheet for the game and its tests: one
// app::Rect constant per piece ("board_bottom_border" becomes kBoardBottomBorder), the
// sheet's size, and a table of all pieces with their manifest names.
std::string sheetHeaderText(const Manifest& manifest);

// Writes that header to `path`, leaving a file that already holds it untouched so the
// game is not rebuilt for nothing.
void writeSheetHeader(const Manifest& manifest, const std::string& path);

} // namespace assetgen
