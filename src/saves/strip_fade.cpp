#include "saves/strip_fade.hpp"

#include "app/assets.hpp"
#include "app/draw.hpp"
#include "app/letterbox.hpp"
#include "app/pacing.hpp"
#include "app/press_rules.hpp"

namespace saves {

namespace {
constexpr int kWidth = 800;
constexpr int kFirstRow = 3;
constexpr int kFadeInRows = 35;
constexpr int kFadeInSteps = 44;
constexpr double kFadeInRest = 0.005;
constexpr int kFadeOutRows = 37;
constexpr int kFadeOutSteps = 128;
constexpr double kFadeOutRest = 0.002;
} // namespace

// The strip's line changing is part of the dialog that shows: what is typed meanwhile is
// the dialog's (the password typed as its prompt appears).
void stripFadeIn(int top) {
    app::During appearing(app::Moment::FadingIn);
    // The strip is drawn onto the canvas, never onto itself.
    app::setTargetCanvas();
    app::Pace pace(kFadeInRest);
    for (int i = 0; i < kFadeInSteps; ++i) {
        app::copyRegionTinted(app::Assets.strip, al_map_rgba(i, i, i, i),
                              {0, kFirstRow, kWidth, kFadeInRows}, {0, top + 1});
        app::setTargetCanvas();
        pace.frame(i == kFadeInSteps - 1);
    }
}

void stripFadeOut(int top) {
    app::During appearing(app::Moment::FadingIn);
    app::setTargetCanvas();
    app::Pace pace(kFadeOutRest);
    for (int i = 0; i < kFadeOutSteps; ++i) {
        const int shade = 128 - i;
        app::copyRegionTinted(app::Assets.strip, al_map_rgba(shade, shade, shade, 128 + i),
                              {0, kFirstRow, kWidth, kFadeOutRows}, {0, top});
        pace.frame(i == kFadeOutSteps - 1);
    }
}

} // namespace saves
