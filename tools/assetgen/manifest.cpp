#include "manifest.hpp"

#include <fstream>
#include <sstream>
#include <stdexcept>

namespace assetgen {

namespace {

std::vector<std::string> splitTabs(const std::string& line) {
    std::vector<std::string> fields;
    std::string field;
    std::istringstream in(line);
    while (std::getline(in, field, '\t')) {
        fields.push_back(field);
    }
    return fields;
}

int number(const std::string& text, int lineNo) {
    std::size_t used = 0;
    int value = 0;
    try {
        value = std::stoi(text, &used);
    } catch (const std::exception&) {
        used = 0;
    }
    if (used == 0 || used != text.size()) {
        throw std::runtime_error("manifest line " + std::to_string(lineNo) + ": '" + text +
                                 "' is not a whole number");
    }
    return value;
}

Content parseContent(const std::string& text, int lineNo) {
    if (text == "empty")
        return Content::Empty;
    if (text == "drawn")
        return Content::Drawn;
    if (text == "opaque")
        return Content::Opaque;
    throw std::runtime_error("manifest line " + std::to_string(lineNo) + ": unknown content '" +
                             text + "'");
}

} // namespace

std::string Piece::family() const {
    auto cut = name.find_last_of('_');
    if (cut == std::string::npos || cut + 1 == name.size() ||
        name.find_first_not_of("0123456789", cut + 1) != std::string::npos) {
        return name;
    }
    return name.substr(0, cut);
}

int Piece::index() const {
    std::string fam = family();
    return fam == name ? -1 : std::stoi(name.substr(fam.size() + 1));
}

bool Piece::contains(const Piece& o) const {
    return o.x >= x && o.y >= y && o.x + o.w <= x + w && o.y + o.h <= y + h;
}

bool Piece::overlaps(const Piece& o) const {
    return o.x < x + w && x < o.x + o.w && o.y < y + h && y < o.y + o.h;
}

const Piece* Manifest::findOrNull(const std::string& name) const {
    for (const Piece& p : pieces) {
        if (p.name == name)
            return &p;
    }
    return nullptr;
}

const Piece& Manifest::find(const std::string& name) const {
    const Piece* p = findOrNull(name);
    if (p == nullptr) {
        throw std::runtime_error("manifest has no piece '" + name + "'");
    }
    return *p;
}

Manifest parseManifest(const std::string& text) {
    Manifest m;
    std::istringstream in(text);
    std::string line;
    int lineNo = 0;
    while (std::getline(in, line)) {
        ++lineNo;
        if (line.empty() || line[0] == '#')
            continue;
        std::vector<std::string> f = splitTabs(line);
        if (f[0] == "size") {
            if (f.size() != 3) {
                throw std::runtime_error("manifest line " + std::to_string(lineNo) +
                                         ": size needs width and height");
            }
            m.sheetWidth = number(f[1], lineNo);
            m.sheetHeight = number(f[2], lineNo);
            continue;
        }
        if (f.size() != 8) {
            throw std::runtime_error("manifest line " + std::to_string(lineNo) +
                                     ": expected 8 tab-separated fields, found " +
                                     std::to_string(f.size()));
        }
        Piece p;
        p.name = f[0];
        p.x = number(f[1], lineNo);
        p.y = number(f[2], lineNo);
        p.w = number(f[3], lineNo);
        p.h = number(f[4], lineNo);
        p.content = parseContent(f[5], lineNo);
        p.partOf = f[6] == "-" ? "" : f[6];
        p.what = f[7];
        if (p.w <= 0 || p.h <= 0) {
            throw std::runtime_error("manifest line " + std::to_string(lineNo) + ": piece '" +
                                     p.name + "' has no area");
        }
        m.pieces.push_back(p);
    }
    if (m.sheetWidth <= 0 || m.sheetHeight <= 0) {
        throw std::runtime_error("manifest has no size row");
    }
    return m;
}

Manifest loadManifest(const std::string& path) {
    std::ifstream in(path);
    if (!in) {
        throw std::runtime_error("cannot open manifest " + path);
    }
    std::ostringstream text;
    text << in.rdbuf();
    return parseManifest(text.str());
}

const char* contentName(Content c) {
    switch (c) {
    case Content::Empty:
        return "empty";
    case Content::Drawn:
        return "drawn";
    case Content::Opaque:
        return "opaque";
    }
    return "?";
}

} // namespace assetgen
