#include "app/draw.hpp"

#include "app/assets.hpp"
#include "app/palette.hpp"
#include "app/sheet.hpp"

#include <allegro5/allegro_primitives.h>

namespace app {

void drawSheet(Rect piece, Point at) {
    al_draw_bitmap_region(Assets.sheet, piece.x, piece.y, piece.w, piece.h, at.x, at.y, 0);
}

void drawSheetTinted(Rect piece, Point at, ALLEGRO_COLOR tint) {
    al_draw_tinted_bitmap_region(Assets.sheet, tint, piece.x, piece.y, piece.w, piece.h, at.x, at.y,
                                 0);
}

void drawPanel(HitBox box, float radius, ALLEGRO_COLOR fill) {
    constexpr float kOutline = 2;
    al_draw_filled_rounded_rectangle(box.x0, box.y0, box.x1, box.y1, radius, radius, fill);
    al_draw_rounded_rectangle(box.x0, box.y0, box.x1, box.y1, radius, radius, palette::kOlive,
                              kOutline);
}

void restoreFromScreen(Rect region) {
    al_draw_bitmap_region(Assets.screen, region.x, region.y, region.w, region.h, region.x, region.y,
                          0);
}

void drawElement(int kind, int x, int y) {
    drawSheet(sheet::kElementPieces[static_cast<std::size_t>(kind)], {x, y});
}

} // namespace app
