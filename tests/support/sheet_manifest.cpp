#include "support/sheet_manifest.hpp"

#include "app/sheet.hpp"

#include <sstream>

namespace support {

std::vector<std::string> sheetRegionsOutsideManifest() {
    std::vector<std::string> outside;
    for (const standin::Region& r : standin::sheetRegionsEverDrawn()) {
        bool inside = false;
        for (const auto& [name, p] : app::sheet::kPieces) {
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
