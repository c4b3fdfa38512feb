#include "support/sheet_manifest.hpp"


#include <fstream>
#include <sstream>
#include <stdexcept>

namespace support {

std::vector<SheetPiece> sheetManifest() {
    std::ifstream in(ORBELIUM_SHEET_MANIFEST);
    if (!in) {
        throw std::runtime_error("cannot read the sheet manifest " +
                                 std::string(ORBELIUM_SHEET_MANIFEST));
    }
    std::vector<SheetPiece> pieces;
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#') {
            continue;
        }
        std::istringstream fields(line);
        SheetPiece piece;
        if (fields >> piece.name >> piece.x >> piece.y >> piece.w >> piece.h) {
            pieces.push_back(piece);
        }
    }
    return pieces;
}

std::vector<std::string> sheetRegionsOutsideManifest() {
    const std::vector<SheetPiece> pieces = sheetManifest();
    std::vector<std::string> outside;
    for (const standin::Region& r : standin::sheetRegionsEverDrawn()) {
        bool inside = false;
        for (const SheetPiece& p : pieces) {
            if (p.name != "size" && r.x >= p.x && r.y >= p.y && r.x + r.w <= p.x + p.w &&
                r.y + r.h <= p.y + p.h) {
                inside = true;
                break;
            }
        }
        if (!inside) {
            std::ostringstream text;
            text << "(" << r.x << ", " << r.y << ") " << r.w << " x " << r.h;
            outside.push_back(text.str());
        }
    }
    return outside;
}

} // namespace support
