// orbelium_assetpreview: a labelled contact sheet of every manifest piece, for review.
//   orbelium_assetpreview --manifest FILE --sheet elementy.png --fonts DIR --out preview.png
// Black (the transparent colour of the sheet) is shown as a checker so edges can be judged.
#include "manifest.hpp"
#include "paint.hpp"

#include <algorithm>
#include <cstdio>
#include <exception>
#include <iostream>
#include <string>

namespace {

using namespace assetgen;

constexpr int kPageWidth = 1500;
constexpr int kMargin = 14;
constexpr int kLabelHeight = 30;

// Copies a piece of the keyed sheet, turning black into a checker of two dark blues.
cairo_surface_t* keyedPiece(cairo_surface_t* sheet, const Piece& p) {
    cairo_surface_t* out = cairo_image_surface_create(CAIRO_FORMAT_RGB24, p.w, p.h);
    auto* src = cairo_image_surface_get_data(sheet);
    auto* dst = cairo_image_surface_get_data(out);
    int ss = cairo_image_surface_get_stride(sheet);
    int ds = cairo_image_surface_get_stride(out);
    for (int y = 0; y < p.h; ++y) {
        auto* s = reinterpret_cast<std::uint32_t*>(src + (p.y + y) * ss);
        auto* d = reinterpret_cast<std::uint32_t*>(dst + y * ds);
        for (int x = 0; x < p.w; ++x) {
            std::uint32_t v = s[p.x + x] & 0x00FFFFFFu;
            bool light = ((x / 6) + (y / 6)) % 2 == 0;
            d[x] = v != 0 ? v : (light ? 0x00283C64u : 0x00182848u);
        }
    }
    cairo_surface_mark_dirty(out);
    return out;
}

int run(const std::string& manifestPath, const std::string& sheetPath,
        const std::string& fontFolder, const std::string& outPath) {
    Manifest m = loadManifest(manifestPath);
    Fonts::load(fontFolder);
    cairo_surface_t* sheet = cairo_image_surface_create_from_png(sheetPath.c_str());
    checkCairo(cairo_surface_status(sheet), "reading " + sheetPath);
    cairo_surface_t* rgb =
        cairo_image_surface_create(CAIRO_FORMAT_RGB24, m.sheetWidth, m.sheetHeight);
    cairo_t* tmp = cairo_create(rgb);
    cairo_set_source_surface(tmp, sheet, 0, 0);
    cairo_paint(tmp);
    cairo_destroy(tmp);
    cairo_surface_flush(rgb);

    // Lay the pieces out in shelves; small pieces are shown twice as large.
    struct Placed {
        const Piece* piece;
        int x, y, scale;
    };
    std::vector<Placed> placed;
    int x = kMargin, y = kMargin + m.sheetHeight + kMargin + 20, shelf = 0;
    for (const Piece& p : m.pieces) {
        int scale = std::max(p.w, p.h) <= 50 ? 2 : 1;
        int w = std::max(p.w * scale, 150);
        int h = p.h * scale + kLabelHeight;
        if (x + w > kPageWidth - kMargin) {
            x = kMargin;
            y += shelf + kMargin;
            shelf = 0;
        }
        placed.push_back({&p, x, y, scale});
        x += w + kMargin;
        shelf = std::max(shelf, h);
    }
    int pageHeight = y + shelf + kMargin;

    cairo_surface_t* page = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, kPageWidth, pageHeight);
    cairo_t* cr = cairo_create(page);
    setColour(cr, {10, 16, 30});
    cairo_paint(cr);
    // The whole sheet first, as the game loads it.
    Piece whole{"sheet", 0, 0, m.sheetWidth, m.sheetHeight, Content::Drawn, "", ""};
    cairo_surface_t* all = keyedPiece(rgb, whole);
    cairo_set_source_surface(cr, all, kMargin, kMargin);
    cairo_paint(cr);
    cairo_surface_destroy(all);
    Fonts::use(cr, Face::Bold, 14);
    setColour(cr, {220, 230, 240});
    cairo_move_to(cr, kMargin + m.sheetWidth + 20, kMargin + 14);
    char heading[96];
    std::snprintf(heading, sizeof heading, "gr/elementy.png  %d x %d,  %zu pieces", m.sheetWidth,
                  m.sheetHeight, m.pieces.size());
    cairo_show_text(cr, heading);
    for (const Placed& pl : placed) {
        const Piece& p = *pl.piece;
        cairo_surface_t* img = keyedPiece(rgb, p);
        cairo_save(cr);
        cairo_translate(cr, pl.x, pl.y);
        cairo_scale(cr, pl.scale, pl.scale);
        cairo_set_source_surface(cr, img, 0, 0);
        cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_NEAREST);
        cairo_paint(cr);
        cairo_restore(cr);
        cairo_surface_destroy(img);
        Fonts::use(cr, Face::Bold, 11);
        setColour(cr, {230, 236, 244});
        cairo_move_to(cr, pl.x, pl.y + p.h * pl.scale + 12);
        cairo_show_text(cr, p.name.c_str());
        Fonts::use(cr, Face::Regular, 10);
        setColour(cr, {150, 170, 190});
        cairo_move_to(cr, pl.x, pl.y + p.h * pl.scale + 25);
        char where[64];
        std::snprintf(where, sizeof where, "(%d, %d) %dx%d", p.x, p.y, p.w, p.h);
        cairo_show_text(cr, where);
    }
    cairo_destroy(cr);
    writeOpaquePng(page, outPath);
    cairo_surface_destroy(page);
    cairo_surface_destroy(rgb);
    cairo_surface_destroy(sheet);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    std::string manifest, sheet, fonts, out;
    for (int i = 1; i + 1 < argc; i += 2) {
        std::string key = argv[i];
        if (key == "--manifest")
            manifest = argv[i + 1];
        else if (key == "--sheet")
            sheet = argv[i + 1];
        else if (key == "--fonts")
            fonts = argv[i + 1];
        else if (key == "--out")
            out = argv[i + 1];
    }
    if (manifest.empty() || sheet.empty() || fonts.empty() || out.empty()) {
        std::cerr << "usage: orbelium_assetpreview --manifest FILE --sheet PNG --fonts DIR "
                     "--out PNG\n";
        return 2;
    }
    try {
        return run(manifest, sheet, fonts, out);
    } catch (const std::exception& e) {
        std::cerr << "orbelium_assetpreview: " << e.what() << "\n";
        return 1;
    }
}
