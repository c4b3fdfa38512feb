#include "play/planet_screens.hpp"

#include "app/assets.hpp"
#include "app/draw.hpp"
#include "app/letterbox.hpp"
#include "app/pacing.hpp"
#include "app/palette.hpp"
#include "app/sheet.hpp"
#include "app/sound.hpp"
#include "board/game_state.hpp"
#include "play/game_screen.hpp"
#include "play/texts.hpp"

#include <allegro5/allegro_font.h>

namespace play {

using app::Assets;

namespace {
// Planet text layout.
constexpr app::Point kHeadingAt{20, 390};
constexpr int kBoldOffset = 1;
constexpr int kBodyX = 20;
constexpr int kBodyTop = 400; // line j (1..8) stands at 400 + 20 * j
constexpr int kBodyPitch = 20;

constexpr ALLEGRO_COLOR kHeadingColour = app::palette::rgb(160, 200, 20);

// Final screen layout: each text is drawn in the shadow colour one pixel down and
// right of its light copy.
constexpr app::Rect kFinalBanner = app::sheet::kFinalPlate;
constexpr app::Point kFinalBannerAt{220, 180};
constexpr int kFinalCentreX = 400;
constexpr int kFinalTitleY = 250;
constexpr int kFinalSubtitleY = 300;
constexpr int kFinalScoreY = 350;

constexpr ALLEGRO_COLOR kFinalLight = app::palette::rgb(250, 250, 50);
constexpr ALLEGRO_COLOR kFinalShadow = app::palette::rgb(0, 0, 20);

// Covering the game screen with the backdrop: the band right of the planet strip, then
// everything under it.
constexpr int kCoverSteps = 44;
constexpr app::Rect kCoverBand{232, 70, 330, 10};
constexpr app::Point kCoverBandAt{0, 70};
constexpr app::Rect kCoverBody{232, 80, 800, 520};
constexpr app::Point kCoverBodyAt{0, 80};
constexpr double kCoverRest = 0.01;

// Zooming the backdrop while the text layer fades in.
constexpr int kZoomSteps = 200;
constexpr app::Rect kZoomSource{232, 0, 800, 600};
constexpr double kZoomRest = 0.01;

void drawBackgroundRegion(app::Rect region, app::Point at, ALLEGRO_COLOR tint) {
    app::drawArtTinted(Assets.background, tint, region, at);
}

void composeFinalText() {
    al_set_target_bitmap(Assets.scratch);
    al_clear_to_color(app::palette::kTransparent);
    app::drawSheet(kFinalBanner, kFinalBannerAt);
    const int centre = ALLEGRO_ALIGN_CENTRE;
    app::drawText(Assets.font24, kFinalShadow, kFinalCentreX + 1, kFinalTitleY + 1, centre,
                  _(kFinalTitle));
    app::drawText(Assets.font20, kFinalShadow, kFinalCentreX + 1, kFinalSubtitleY + 1, centre,
                  _(kFinalSubtitle));
    app::drawText(Assets.font24, kFinalLight, kFinalCentreX, kFinalTitleY, centre, _(kFinalTitle));
    app::drawText(Assets.font20, kFinalLight, kFinalCentreX, kFinalSubtitleY, centre,
                  _(kFinalSubtitle));
    app::drawTextf(Assets.font24, kFinalShadow, kFinalCentreX + 1, kFinalScoreY + 1, centre,
                   _(kFinalScoreFormat), board::GameState.score);
    app::drawTextf(Assets.font24, kFinalLight, kFinalCentreX, kFinalScoreY, centre,
                   _(kFinalScoreFormat), board::GameState.score);
}
} // namespace

void planetInfo(int level) {
    if (level < 1 || level >= static_cast<int>(planetTexts.size())) {
        return;
    }
    const PlanetText& text = planetTexts[level];
    const std::string heading = _(text.heading);
    const std::size_t dash = heading.find(" - ");
    const std::string name = heading.substr(0, dash == std::string::npos ? dash : dash + 3);
    app::drawText(Assets.font24, kHeadingColour, kHeadingAt.x, kHeadingAt.y, 0, heading.c_str());
    app::drawText(Assets.font24, kHeadingColour, kHeadingAt.x + kBoldOffset, kHeadingAt.y, 0,
                  name.c_str());
    for (int j = 1; j <= text.lineCount; ++j) {
        app::drawText(Assets.font20, app::palette::kSteel, kBodyX, kBodyTop + kBodyPitch * j, 0,
                      _(text.lines[j - 1]));
    }
}

namespace {

void coverStep(int i) {
    al_set_target_bitmap(Assets.screen);
    ALLEGRO_COLOR tint = al_map_rgba(i, i, i, i);
    drawBackgroundRegion(kCoverBand, kCoverBandAt, tint);
    drawBackgroundRegion(kCoverBody, kCoverBodyAt, tint);
    app::setTargetCanvas();
}

void zoomStep(int s) {
    app::drawArtScaled(Assets.background, kZoomSource, static_cast<float>(-s),
                       static_cast<float>(-s), kZoomSource.w + 2.5f * s, kZoomSource.h + 2.0f * s);
    app::copyWholeTinted(Assets.scratch, al_map_rgba(s, s, s, s));
}

} // namespace

namespace {
// How far the final picture has come: the cover's steps drawn, the zoom's step shown (-1
// before the zoom).
int coverDrawn = 0;
int zoomShown = -1;
} // namespace

void finalScreen() {
    coverDrawn = 0;
    zoomShown = -1;
    // A change of scale while the picture builds up composes it as far as it has come.
    app::OnRescale recompose(drawFinalScreen);
    composeFinalText();
    app::playCue(app::SoundCue::StrUse6);

    app::Pace cover(kCoverRest);
    for (int i = 0; i < kCoverSteps; ++i) {
        coverStep(i);
        coverDrawn = i + 1;
        app::copyWhole(Assets.screen);
        cover.frame(i == kCoverSteps - 1);
    }

    app::Pace zoom(kZoomRest);
    for (int s = 0; s < kZoomSteps; ++s) {
        zoomStep(s);
        zoomShown = s;
        zoom.frame(s == kZoomSteps - 1);
    }
}

void drawFinalScreen() {
    // The cover goes over the play screen with every planet lit.
    drawGameBackdrop(board::GameState.level);
    for (int i = 0; i < coverDrawn; ++i) {
        coverStep(i);
    }
    composeFinalText();
    app::setTargetCanvas();
    if (zoomShown >= 0) {
        zoomStep(zoomShown);
    } else {
        app::copyWhole(Assets.screen);
    }
}

} // namespace play
