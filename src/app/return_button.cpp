#include "app/return_button.hpp"

#include "app/assets.hpp"
#include "app/draw.hpp"
#include "app/input.hpp"
#include "app/palette.hpp"
#include "app/sheet.hpp"
#include "app/sound.hpp"

namespace app {

void drawReturnButton(const ReturnButton& button) {
    drawSheet(sheet::kMenuButton, button.plateAt);
}

bool serveReturnButton(const ReturnButton& button) {
    const InputStateRecord& in = InputState;
    if (!button.hit.contains(in.x, in.y)) {
        return false;
    }
    const Rect band = button.band;
    al_draw_tinted_bitmap_region(Assets.screen, palette::kHoverGlow, band.x, band.y, band.w, band.h,
                                 band.x, band.y, 0);
    if (in.buttons != kLeftButton) {
        return false;
    }
    playCue(SoundCue::Menu);
    return true;
}

void repairReturnButton(const ReturnButton& button) {
    restoreFromScreen(
        {button.plateAt.x, button.plateAt.y, sheet::kMenuButton.w, sheet::kMenuButton.h});
}

} // namespace app
