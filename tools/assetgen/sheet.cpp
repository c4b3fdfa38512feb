#include "sheet.hpp"

#include "sheet_parts.hpp"

#include <stdexcept>

namespace assetgen {

namespace {

bool paintPiece(cairo_t* cr, const Piece& piece) {
    return paintElementPiece(cr, piece) || paintBoardPiece(cr, piece) ||
           paintButtonPiece(cr, piece) || paintLabelPiece(cr, piece);
}

} // namespace

void writeSheet(const Manifest& manifest, const std::string& path, int scale) {
    SurfacePtr sheet(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, manifest.sheetWidth * scale,
                                                manifest.sheetHeight * scale));
    ContextPtr cr(cairo_create(sheet.get()));
    // Every piece keeps its manifest rectangle times the scale, so the game finds it there.
    cairo_scale(cr.get(), scale, scale);
    for (const Piece& piece : manifest.pieces) {
        if (piece.x < 0 || piece.y < 0 || piece.x + piece.w > manifest.sheetWidth ||
            piece.y + piece.h > manifest.sheetHeight) {
            throw std::runtime_error("piece '" + piece.name + "' lies outside the sheet");
        }
        // A part of another piece (a button's face, the frame's bottom bar) is painted
        // by its enclosing piece.
        if (!piece.partOf.empty()) {
            if (!manifest.find(piece.partOf).contains(piece)) {
                throw std::runtime_error("piece '" + piece.name + "' is not inside '" +
                                         piece.partOf + "'");
            }
            continue;
        }
        cairo_save(cr.get());
        cairo_translate(cr.get(), piece.x, piece.y);
        cairo_rectangle(cr.get(), 0, 0, piece.w, piece.h);
        cairo_clip(cr.get());
        bool painted = paintPiece(cr.get(), piece);
        cairo_restore(cr.get());
        if (!painted) {
            throw std::runtime_error("no painter for sheet piece '" + piece.name + "'");
        }
    }
    checkCairo(cairo_status(cr.get()), "painting the sheet");
    cr.reset();
    writeKeyedPng(sheet.get(), path);
}

} // namespace assetgen
