// The sheet manifest: every rectangle the game draws from "gr/elementy.png", with what it
// must hold. The generator paints from it, the preview labels it and the tests check it.
#pragma once

#include <string>
#include <vector>

namespace assetgen {

enum class Content {
    Empty,  // stays black, so the game sees nothing there
    Drawn,  // has visible pixels; black parts are transparent
    Opaque, // every pixel visible (no pure black)
};

struct Piece {
    std::string name;
    int x = 0;
    int y = 0;
    int w = 0;
    int h = 0;
    Content content = Content::Drawn;
    std::string partOf; // enclosing piece that paints this one, or empty
    std::string what;

    // "vanish_10" -> family "vanish", index 10; a name without a number has index -1.
    std::string family() const;
    int index() const;
    bool contains(const Piece& other) const;
    bool overlaps(const Piece& other) const;
};

struct Manifest {
    int sheetWidth = 0;
    int sheetHeight = 0;
    std::vector<Piece> pieces;

    const Piece& find(const std::string& name) const; // throws when missing
    const Piece* findOrNull(const std::string& name) const;
};

// Parses the manifest text; throws std::runtime_error naming the line of any fault.
Manifest parseManifest(const std::string& text);
Manifest loadManifest(const std::string& path);

const char* contentName(Content c);

} // namespace assetgen
