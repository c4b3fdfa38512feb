#include "app/return_button.hpp"

#include "app/assets.hpp"
#include "app/draw.hpp"
#include "app/input.hpp"
#include "app/keys.hpp"
#include "app/palette.hpp"
#include "app/sheet.hpp"
#include "app/sound.hpp"

namespace app {

void drawReturnButton(const ReturnButton& button) {
    drawSheet(sheet::kMenuButton, button.plateAt);
}

void lightReturnButton(const ReturnButton& button) {
    const Rect band = button.band;
    copyRegionTinted(Assets.screen, palette::kHoverGlow, band, {band.x, band.y});
}

bool serveReturnButton(const ReturnButton& button) {
    const InputStateRecord& in = InputState;
    if (!button.hit.contains(in.x, in.y)) {
        return false;
    }
    lightReturnButton(button);
    if (in.buttons != kLeftButton) {
        return false;
    }
    playCue(SoundCue::Menu);
    return true;
}

bool takeReturnKey() {
    const int key = takeKey(false);
    if (key != ALLEGRO_KEY_ESCAPE && !isChoiceKey(key)) {
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
