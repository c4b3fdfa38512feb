#include "records/list_screen.hpp"

#include "app/assets.hpp"
#include "app/draw.hpp"
#include "app/geometry.hpp"
#include "app/input.hpp"
#include "app/letterbox.hpp"
#include "app/pacing.hpp"
#include "app/palette.hpp"
#include "app/return_button.hpp"
#include "app/sheet.hpp"
#include "app/sound.hpp"
#include "app/transitions.hpp"
#include "app/waiting.hpp"
#include "board/game_state.hpp"
#include "records/high_scores.hpp"
#include "records/texts.hpp"

#include <allegro5/allegro_font.h>
#include <allegro5/allegro_primitives.h>

namespace records {

namespace {

constexpr int kBackdropX = -232;
constexpr app::Rect kTitlePlate = app::sheet::kHeadingResults;
constexpr app::Point kTitlePlateAt{310, 20};
constexpr app::HitBox kPanel{200, 70, 600, 520}; // corners of the rounded panel
constexpr float kPanelRadius = 5;
constexpr app::Point kModeTitleAt{400, 48};
constexpr app::Point kPlaceHeadingAt{225, 80};
constexpr app::Point kScoreHeadingAt{420, 80};
constexpr app::HitBox kRule{215, 103, 585, 103};
constexpr int kFirstRowY = 110;
constexpr int kRowPitch = 20;
constexpr int kPlaceX = 240;
constexpr int kNameX = 250;
constexpr int kLevelX = 440;
constexpr int kScoreX = 580;
constexpr app::Rect kFirstHighlight{202, 111, 396, 20}; // row n is 20 (n - 1) lower

void drawModeTitle() {
    const int mode = board::GameState.mode;
    if (mode == board::GameMode::Relaxed) {
        app::drawText(app::Assets.fontBold16, app::palette::kMoss, kModeTitleAt.x, kModeTitleAt.y,
                      ALLEGRO_ALIGN_CENTRE, _(texts::kRelaxedTitle));
    } else if (mode == board::GameMode::Timed) {
        app::drawText(app::Assets.fontBold16, app::palette::kSteel, kModeTitleAt.x, kModeTitleAt.y,
                      ALLEGRO_ALIGN_CENTRE, _(texts::kTimedTitle));
    }
}

void drawRow(int i) {
    const HighScoreEntry& e = HighScoreList.entry[i];
    const int y = kFirstRowY + kRowPitch * (i - 1);
    ALLEGRO_FONT* font = app::Assets.font20;
    app::drawTextf(font, app::palette::kSlate, kPlaceX, y, ALLEGRO_ALIGN_RIGHT, "%d.", i);
    if (!e.name.empty() && e.name != kNoName) {
        app::drawTextf(font, app::palette::kSteel, kNameX, y, 0, "%s", e.name.c_str());
    }
    if (e.level > 0) {
        app::drawTextf(font, app::palette::kSlate, kLevelX, y, 0, "%d", e.level);
    }
    if (e.score > 0) {
        app::drawTextf(font, app::palette::kSteel, kScoreX, y, ALLEGRO_ALIGN_RIGHT, "%d", e.score);
    } else if (e.score == 0) {
        app::drawText(font, app::palette::kSlate, kScoreX, y, ALLEGRO_ALIGN_RIGHT, "0");
    }
}

void composeList() {
    al_set_target_bitmap(app::Assets.screen);
    app::drawArtWhole(app::Assets.background, {kBackdropX, 0}, ALLEGRO_FLIP_HORIZONTAL);
    app::drawSheet(kTitlePlate, kTitlePlateAt);
    app::drawPanel(kPanel, kPanelRadius, app::palette::kNavy);
    drawModeTitle();
    app::drawText(app::Assets.fontBold16, app::palette::kSlate, kPlaceHeadingAt.x,
                  kPlaceHeadingAt.y, 0, _(texts::kPlaceAndNameHeading));
    app::drawText(app::Assets.fontBold16, app::palette::kSlate, kScoreHeadingAt.x,
                  kScoreHeadingAt.y, 0, _(texts::kLevelAndScoreHeading));
    al_draw_line(kRule.x0, kRule.y0, kRule.x1, kRule.y1, app::palette::kOlive, 2);
    for (int i = 1; i <= kListLength; ++i) {
        drawRow(i);
    }
    const int n = newEntryIndex;
    if (board::GameState.nameEntryDue == 1 && n >= 1 && n <= kListLength) {
        // The new row is brightened by drawing it over itself with a tint; Allegro cannot
        // draw a bitmap onto itself, so the band goes through the scratch layer.
        const int y = kFirstHighlight.y + kRowPitch * (n - 1);
        al_set_target_bitmap(app::Assets.scratch);
        const app::Rect band{kFirstHighlight.x, y, kFirstHighlight.w, kFirstHighlight.h};
        app::copyRegion(app::Assets.screen, band, {band.x, band.y});
        al_set_target_bitmap(app::Assets.screen);
        app::copyRegionTinted(app::Assets.scratch, app::palette::kHoverGlow, band,
                              {band.x, band.y});
    }
    app::drawReturnButton(app::kListReturn);
}

} // namespace

void listScreen() {
    // After a name entry the list in memory is the one just read and extended; it is
    // shown as it is, so a result still shows when its file could not be written.
    if (board::GameState.nameEntryDue != 1) {
        readList();
    }
    app::fadeOut();
    composeList();
    app::setTargetCanvas();
    app::fadeIn();

    bool leaving = false;
    app::OnRescale recompose([] {
        composeList();
        app::showScreenBuffer();
    });
    app::WaitingScreen waiting;
    while (!leaving) {
        app::pollInput();
        leaving = app::serveReturnButton(app::kListReturn) || app::takeReturnKey();
        waiting.present();
        app::repairReturnButton(app::kListReturn);
        waiting.rest();
    }

    if (board::GameState.nameEntryDue == 1) {
        writeList();
    }
    newEntryIndex = 0;
    if (board::GameState.nameEntryDue == 1) {
        board::GameState.nameEntryDue = 0;
    }
}

} // namespace records
