#include "app/draw.hpp"

#include "app/assets.hpp"
#include "app/letterbox.hpp"
#include "app/palette.hpp"
#include "app/sheet.hpp"

#include <allegro5/allegro_primitives.h>

#include <cmath>
#include <cstdarg>
#include <cstdio>

namespace app {

namespace {
// The pixel where a picture coordinate begins, rounded down for a region's start and up for
// its end so the region's pixels cover all of it.
int pixelFloor(float units) {
    return static_cast<int>(std::floor(units * pictureScale() + 1e-4));
}
int pixelCeil(float units) {
    return static_cast<int>(std::ceil(units * pictureScale() - 1e-4));
}

// Runs `draw` in the target's own pixels, the picture's transform set again after; at a
// scale of 1 they are the picture's units already.
template <typename Draw> void inPixels(Draw draw) {
    if (pictureScale() == 1.0) {
        draw();
        return;
    }
    ALLEGRO_TRANSFORM identity;
    al_identity_transform(&identity);
    al_use_transform(&identity);
    draw();
    usePictureUnits();
}

// A region of `from` at (dx, dy), tinted when a tint is given.
void region(ALLEGRO_BITMAP* from, const ALLEGRO_COLOR* tint, float sx, float sy, float sw, float sh,
            float dx, float dy, int flags) {
    if (tint != nullptr) {
        al_draw_tinted_bitmap_region(from, *tint, sx, sy, sw, sh, dx, dy, flags);
    } else {
        al_draw_bitmap_region(from, sx, sy, sw, sh, dx, dy, flags);
    }
}

// The whole of `from` at (x, y), tinted when a tint is given.
void whole(ALLEGRO_BITMAP* from, const ALLEGRO_COLOR* tint, float x, float y, int flags) {
    if (tint != nullptr) {
        al_draw_tinted_bitmap(from, *tint, x, y, flags);
    } else {
        al_draw_bitmap(from, x, y, flags);
    }
}

void copy(ALLEGRO_BITMAP* from, const ALLEGRO_COLOR* tint, Rect area, Point at) {
    const int sx = pixelFloor(area.x);
    const int sy = pixelFloor(area.y);
    const int sw = pixelCeil(area.x + area.w) - sx;
    const int sh = pixelCeil(area.y + area.h) - sy;
    const int dx = pixelFloor(at.x);
    const int dy = pixelFloor(at.y);
    inPixels([&] { region(from, tint, sx, sy, sw, sh, dx, dy, 0); });
}

// The pixel edge nearest a picture coordinate: art begins and ends on one, so a piece's
// size is snapped with its position and pieces that meet in units meet in pixels. A repair
// of the same rectangle (rounded outwards) always covers the piece.
int pixelEdge(float units) {
    return static_cast<int>(std::lround(units * pictureScale()));
}

// The one draw of art: source in 1x pixels, destination in picture units.
void art(ALLEGRO_BITMAP* bitmap, const ALLEGRO_COLOR* tint, float sx, float sy, float sw, float sh,
         float dx, float dy, float dw, float dh, int flags) {
    const auto k = static_cast<float>(Assets.artScale);
    const auto scaled = [&](float x, float y, float w, float h) {
        if (tint != nullptr) {
            al_draw_tinted_scaled_bitmap(bitmap, *tint, k * sx, k * sy, k * sw, k * sh, x, y, w, h,
                                         flags);
        } else {
            al_draw_scaled_bitmap(bitmap, k * sx, k * sy, k * sw, k * sh, x, y, w, h, flags);
        }
    };
    if (pictureScale() == 1.0) {
        if (k == 1 && dw == sw && dh == sh) {
            region(bitmap, tint, sx, sy, sw, sh, dx, dy, flags);
        } else {
            scaled(dx, dy, dw, dh);
        }
        return;
    }
    const int x0 = pixelEdge(dx);
    const int y0 = pixelEdge(dy);
    inPixels([&] {
        scaled(static_cast<float>(x0), static_cast<float>(y0),
               static_cast<float>(pixelEdge(dx + dw) - x0),
               static_cast<float>(pixelEdge(dy + dh) - y0));
    });
}

void artWhole(ALLEGRO_BITMAP* bitmap, const ALLEGRO_COLOR* tint, Point at, int flags) {
    if (Assets.artScale == 1 && pictureScale() == 1.0) {
        whole(bitmap, tint, at.x, at.y, flags);
        return;
    }
    const auto w = static_cast<float>(al_get_bitmap_width(bitmap) / Assets.artScale);
    const auto h = static_cast<float>(al_get_bitmap_height(bitmap) / Assets.artScale);
    art(bitmap, tint, 0, 0, w, h, at.x, at.y, w, h, flags);
}

void copyAll(ALLEGRO_BITMAP* from, const ALLEGRO_COLOR* tint) {
    inPixels([&] { whole(from, tint, 0, 0, 0); });
}
} // namespace

void drawArt(ALLEGRO_BITMAP* bitmap, Rect piece, Point at, int flags) {
    art(bitmap, nullptr, piece.x, piece.y, piece.w, piece.h, at.x, at.y, piece.w, piece.h, flags);
}

void drawArtTinted(ALLEGRO_BITMAP* bitmap, ALLEGRO_COLOR tint, Rect piece, Point at) {
    art(bitmap, &tint, piece.x, piece.y, piece.w, piece.h, at.x, at.y, piece.w, piece.h, 0);
}

void drawArtWhole(ALLEGRO_BITMAP* bitmap, Point at, int flags) {
    artWhole(bitmap, nullptr, at, flags);
}

void drawArtWholeTinted(ALLEGRO_BITMAP* bitmap, ALLEGRO_COLOR tint, Point at) {
    artWhole(bitmap, &tint, at, 0);
}

void drawArtScaled(ALLEGRO_BITMAP* bitmap, Rect piece, float x, float y, float w, float h) {
    art(bitmap, nullptr, piece.x, piece.y, piece.w, piece.h, x, y, w, h, 0);
}

void drawSheet(Rect piece, Point at) {
    drawArt(Assets.sheet, piece, at);
}

void drawSheetTinted(Rect piece, Point at, ALLEGRO_COLOR tint) {
    drawArtTinted(Assets.sheet, tint, piece, at);
}

int settlingPasses(float alpha) {
    constexpr double kHalfStep = 0.5 / 255;
    if (!(alpha > 0) || alpha >= 1) {
        return 1; // nothing builds up, or one pass covers what lay beneath
    }
    return static_cast<int>(std::ceil(std::log(kHalfStep) / std::log(1.0 - alpha)));
}

void laySettled(float alpha, const std::function<void()>& layer) {
    for (int pass = settlingPasses(alpha); pass > 0; --pass) {
        layer();
    }
}

void drawPanel(HitBox box, float radius, ALLEGRO_COLOR fill) {
    constexpr float kOutline = 2;
    al_draw_filled_rounded_rectangle(box.x0, box.y0, box.x1, box.y1, radius, radius, fill);
    al_draw_rounded_rectangle(box.x0, box.y0, box.x1, box.y1, radius, radius, palette::kOlive,
                              kOutline);
}

void restoreFromScreen(Rect region) {
    copy(Assets.screen, nullptr, region, {region.x, region.y});
}

void copyRegion(ALLEGRO_BITMAP* from, Rect region, Point at) {
    copy(from, nullptr, region, at);
}

void copyRegionTinted(ALLEGRO_BITMAP* from, ALLEGRO_COLOR tint, Rect region, Point at) {
    copy(from, &tint, region, at);
}

void copyWhole(ALLEGRO_BITMAP* from) {
    copyAll(from, nullptr);
}

void copyWholeTinted(ALLEGRO_BITMAP* from, ALLEGRO_COLOR tint) {
    copyAll(from, &tint);
}

void showScreenBuffer() {
    setTargetCanvas();
    copyWhole(Assets.screen);
}

void drawText(const ALLEGRO_FONT* font, ALLEGRO_COLOR colour, float x, float y, int flags,
              const char* text) {
    const double scale = pictureScale();
    if (scale == 1.0) {
        al_draw_text(font, colour, x, y, flags, text);
        return;
    }
    inPixels([&] {
        al_draw_text(font, colour, std::round(x * scale), std::round(y * scale), flags, text);
    });
}

void drawTextf(const ALLEGRO_FONT* font, ALLEGRO_COLOR colour, float x, float y, int flags,
               const char* format, ...) {
    char text[1024];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    drawText(font, colour, x, y, flags, text);
}

void drawElement(int kind, int x, int y) {
    drawSheet(sheet::kElementPieces[static_cast<std::size_t>(kind)], {x, y});
}

} // namespace app
