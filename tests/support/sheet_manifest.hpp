#pragma once

#include "support/allegro_standin.hpp"

#include <string>
#include <vector>

namespace support {

// One named rectangle of the element sheet, as the asset generator's manifest lists it.
struct SheetPiece {
    std::string name;
    int x, y, w, h;
};

// The pieces of the manifest the asset generator draws the sheet from.
std::vector<SheetPiece> sheetManifest();

// Every region drawn from the element sheet in this process that lies inside no
// manifest piece, described for a failure message.
std::vector<std::string> sheetRegionsOutsideManifest();

} // namespace support
