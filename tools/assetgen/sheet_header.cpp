#include "sheet_header.hpp"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <stdexcept>
#include <vector>

namespace assetgen {

namespace {
std::string constantName(const std::string& piece) {
    std::string name = "k";
    bool upper = true;
    for (const char c : piece) {
        if (c == '_') {
            upper = true;
            continue;
        }
        name += upper ? static_cast<char>(std::toupper(static_cast<unsigned char>(c))) : c;
        upper = false;
    }
    return name;
}

std::string braces(const Piece& p) {
    return "{" + std::to_string(p.x) + ", " + std::to_string(p.y) + ", " + std::to_string(p.w) +
           ", " + std::to_string(p.h) + "}";
}
} // namespace

std::string sheetHeaderText(const Manifest& manifest) {
    std::ostringstream out;
    out << "// Written by orbelium_assetgen from tools/assetgen/sheet_manifest.tsv; edit the\n"
           "// manifest, not this file.\n"
           "#pragma once\n\n"
           "#include \"app/geometry.hpp\"\n\n"
           "#include <array>\n"
           "#include <string_view>\n\n"
           "// The pieces of the element sheet, \"gr/elementy.png\", by name.\n"
           "namespace app::sheet {\n\n"
        << "inline constexpr int kWidth = " << manifest.sheetWidth << ";\n"
        << "inline constexpr int kHeight = " << manifest.sheetHeight << ";\n\n";
    for (const Piece& p : manifest.pieces) {
        out << "// " << p.what << "\n"
            << "inline constexpr Rect " << constantName(p.name) << braces(p) << ";\n";
    }
    // Numbered families, so the game picks a frame or a kind by its number, never by a pitch
    // that the gutters between pieces would break.
    std::vector<std::string> families;
    for (const Piece& p : manifest.pieces) {
        if (p.index() >= 0 && std::ranges::count(families, p.family()) == 0)
            families.push_back(p.family());
    }
    for (const std::string& family : families) {
        std::vector<const Piece*> members;
        for (const Piece& p : manifest.pieces) {
            if (p.family() == family && p.index() >= 0)
                members.push_back(&p);
        }
        std::ranges::sort(members, {}, &Piece::index);
        out << "\n// " << members.front()->name << " .. " << members.back()->name
            << " in number order: index 0 holds " << members.front()->name << ".\n"
            << "inline constexpr std::array<Rect, " << members.size() << "> "
            << constantName(family) << "Pieces{{";
        for (const Piece* p : members)
            out << (p == members.front() ? "" : ", ") << constantName(p->name);
        out << "}};\n";
    }
    out << "\nstruct NamedPiece {\n"
           "    std::string_view name;\n"
           "    Rect rect;\n"
           "};\n\n"
        << "inline constexpr std::array<NamedPiece, " << manifest.pieces.size() << "> kPieces{{\n";
    for (const Piece& p : manifest.pieces) {
        out << "    {\"" << p.name << "\", " << constantName(p.name) << "},\n";
    }
    out << "}};\n\n} // namespace app::sheet\n";
    return out.str();
}

void writeSheetHeader(const Manifest& manifest, const std::string& path) {
    const std::string text = sheetHeaderText(manifest);
    {
        std::ifstream old(path, std::ios::binary);
        if (old && std::string(std::istreambuf_iterator<char>(old), {}) == text) {
            return;
        }
    }
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream out(path, std::ios::binary);
    out << text;
    if (!out.flush()) {
        throw std::runtime_error("cannot write " + path);
    }
}

} // namespace assetgen
