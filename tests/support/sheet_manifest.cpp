#include "support/sheet_manifest.hpp"

#include <fstream>
#include <sstream>
#include <stdexcept>

namespace support {

std::vector<std::string> sheetRegionsOutsideManifest() {
    std::ifstream in(ORBELIUM_SHEET_MANIFEST);
    if (!in) {
        throw std::runtime_error("cannot read the sheet manifest " ORBELIUM_SHEET_MANIFEST);
    }
    // Lines of "name x y w h"; "size" is the whole sheet, not a piece.
    std::vector<standin::Region> pieces;
    std::string line, name;
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        standin::Region p{};
        if (line[0] != '#' && fields >> name >> p.x >> p.y >> p.w >> p.h && name != "size") {
            pieces.push_back(p);
        }
    }
    std::vector<std::string> outside;
    for (const standin::Region& r : standin::sheetRegionsEverDrawn()) {
        bool inside = false;
        for (const standin::Region& p : pieces) {
            inside = inside ||
                     (r.x >= p.x && r.y >= p.y && r.x + r.w <= p.x + p.w && r.y + r.h <= p.y + p.h);
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
