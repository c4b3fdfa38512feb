// Painters of the element sheet, one family per source file. Each painter draws one
// manifest piece into a context already translated to the piece's top-left corner and
// clipped to its size.
#pragma once

#include "manifest.hpp"
#include "paint.hpp"

#include <cairo.h>

namespace assetgen {

constexpr int kCell = 46;
// The line around every cell tile; the game erases the hint outline with this colour.
constexpr Rgb kTileBorder{0, 28, 40};

// Each returns true when it knows the piece's family and has painted it.
bool paintElementPiece(cairo_t* cr, const Piece& piece);
bool paintBoardPiece(cairo_t* cr, const Piece& piece);
bool paintButtonPiece(cairo_t* cr, const Piece& piece);
bool paintLabelPiece(cairo_t* cr, const Piece& piece);

// An element (kind 1..7) drawn at its 46-pixel design size times `scale`, centred on (cx, cy).
void drawElement(cairo_t* cr, int kind, double cx, double cy, double scale = 1.0);
// The golden five-pointed star of the star row.
void drawGoldStar(cairo_t* cr, double cx, double cy, double radius);
// The empty cell tile, pixel for pixel: the board is a grid of it and the last vanish
// frame is it. The caller owns the returned surface of 46 x 46 pixels times `scale`.
cairo_surface_t* createCellTile(int scale);
// Colour of an element kind, used by its sprite and its progress bar.
Rgb kindColour(int kind);

// Shared look of the interface: a bevelled metal rim around a dark face.
void drawRim(cairo_t* cr, double x, double y, double w, double h, double radius);
void drawFace(cairo_t* cr, double x, double y, double w, double h, double radius, Rgb top,
              Rgb bottom);

// Palette of the interface.
constexpr Rgb kPanelDark{8, 22, 34};
constexpr Rgb kFaceTop{46, 104, 128};
constexpr Rgb kFaceBottom{18, 52, 72};
constexpr Rgb kGold{214, 180, 72};
constexpr Rgb kLabel{226, 236, 240};
constexpr Rgb kInk{2, 10, 18};

} // namespace assetgen
