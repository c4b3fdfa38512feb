#include "play/panel.hpp"

#include "app/assets.hpp"
#include "app/draw.hpp"
#include "app/palette.hpp"
#include "app/sheet.hpp"
#include "board/board_setup.hpp"
#include "board/game_state.hpp"
#include "play/clock.hpp"
#include "play/texts.hpp"

#include <allegro5/allegro_font.h>

#include <algorithm>

namespace play {

using app::Assets;

namespace {
// The composed screen, in drawing order. Sheet pieces are named by the sheet; the backdrop's
// regions are given as rectangles of Assets.background.
constexpr app::Point kBackdropAt{-232, 0};
constexpr int kBoardFrameMargin = 17; // the frame starts this far above and left of cell 1
constexpr app::Point kPanelHeadAt{48, 70};
constexpr app::Point kOrnamentLeftAt{66, 106};
constexpr app::Point kOrnamentRightAt{256, 106};
constexpr app::Rect kDarkBand{295, 174, 210, 36}; // of the backdrop, under the score plate
constexpr app::Point kDarkBandAt{65, 174};
constexpr app::Point kScorePlateAt{60, 172};
constexpr app::Point kRecordPlateAt{80, 224};
constexpr app::Point kRecordLabelAt{90, 229};
constexpr app::Point kKindBarFrameAt{110, 263};
constexpr app::Point kStarRowPlateAt{64, 334};
constexpr app::Point kHintButtonAt{105, 380};
constexpr app::Point kMenuButtonAt{35, 550};
constexpr app::Point kSaveButtonAt{198, 550};
constexpr app::Point kClockFrameAt{754, 143};
constexpr app::Point kModeLabelAt{465, 550};

// The score window and the record line, and what repairs them.
constexpr app::Rect kScoreArea{70, 176, 200, 30};
constexpr app::Point kScoreShadowAt{178, 174};
constexpr app::Point kScoreAt{177, 173};
constexpr app::Rect kRecordArea{80, 220, 180, 23};
constexpr app::Point kRecordAt{250, 229};

// Kind bar k lies 9 pixels below bar k - 1, on the sheet as on the screen; its width is its
// progress + 1.
constexpr app::Point kFirstKindBarAt{117, 270};
constexpr int kKindBarPitch = 9;
constexpr int kKindBarFull = 100;
constexpr app::Rect kKindBarArea{116, 270, app::sheet::kKindBar1.w + 2, app::sheet::kKindBar1.h};

// The star row: star n at (25 n + 37, 329), so consecutive stars overlap.
constexpr int kStarRowX = 37;
constexpr int kStarRowPitch = 25;
constexpr int kStarRowY = 329;
constexpr app::Rect kStarRowArea{60, 320, 220, 50};
constexpr int kTrayBelowBottomRow = 58;

// The level box: digit n is n - 1 digits right of digit 1 on the sheet.
constexpr app::Point kLevelDigitAt{163, 112};
constexpr app::Rect kLevelBox{387, 110, 30, 30}; // of the backdrop
constexpr app::Point kLevelBoxAt{160, 112};

// The planet strip over the board: planet k is 101 pixels right of planet k - 1 in
// "gr/planety.png" and shown 20 pixels left of its place there.
constexpr int kPlanetPitch = 101;
constexpr int kPlanetW = 99;
constexpr int kPlanetH = 83;
constexpr int kPlanetStripX = -20;
constexpr app::Rect kPlanetStrip{0, 0, 800, 100};

// The clock bar: row k of the bar is window row 150 + k; the emptied rows are taken from the
// composed screen, a little wider than the bar; the column starts at the screen's top.
constexpr app::Point kClockBarAt{758, 150};
constexpr app::Rect kClockRows{755, 150, 20, 0};
constexpr app::Rect kClockColumn{755, 100, 20, 0};

// The buttons: hit boxes, and the glows over the menu and save buttons, which one copy of
// the button row from the composed screen erases.
constexpr app::HitBox kHintHit{116, 395, 229, 504};
constexpr app::HitBox kMenuHit{41, 552, 139, 574};
constexpr app::HitBox kSaveHit{203, 552, 299, 574};
constexpr app::Point kMenuGlowAt{41, 553};
constexpr app::Point kSaveGlowAt{204, 553};
constexpr app::Rect kButtonRow{36, 547, 276, 30};
constexpr app::Point kHintLitAt{105, 382};
constexpr app::Rect kHintArea{105, 382, 138, 138};
constexpr app::Point kHintPressedAt{127, 403};
constexpr app::Rect kHintFace{120, 385, 110, 110};

constexpr ALLEGRO_COLOR kRecordLabelColour = app::palette::rgb(230, 184, 20);
constexpr ALLEGRO_COLOR kScoreShadowColour = app::palette::rgb(60, 60, 10);
constexpr ALLEGRO_COLOR kScoreRecordColour = app::palette::rgb(250, 250, 255);
constexpr ALLEGRO_COLOR kScoreColour = app::palette::rgb(240, 230, 20);
constexpr ALLEGRO_COLOR kRecordColour = app::palette::rgb(166, 166, 44);
constexpr ALLEGRO_COLOR kRecordReachedColour = app::palette::rgb(99, 220, 66);
} // namespace

int panelButtonAt(int x, int y) {
    if (kSaveHit.contains(x, y)) {
        return kHoverSave;
    }
    if (kMenuHit.contains(x, y)) {
        return kHoverMenu;
    }
    return kHintHit.contains(x, y) ? kHoverHint : 0;
}

void composePanel(app::Point firstCell, bool timed) {
    app::drawArtWhole(Assets.background, kBackdropAt);
    app::drawSheet(app::sheet::kBoardFrame,
                   {firstCell.x - kBoardFrameMargin, firstCell.y - kBoardFrameMargin});
    app::drawSheet(app::sheet::kPanelHead, kPanelHeadAt);
    app::drawSheet(app::sheet::kPanelOrnament, kOrnamentLeftAt);
    app::drawSheet(app::sheet::kPanelOrnament, kOrnamentRightAt);
    app::drawArtTinted(Assets.background, al_map_rgba(80, 80, 80, 160), kDarkBand, kDarkBandAt);
    app::drawSheet(app::sheet::kScorePlate, kScorePlateAt);
    app::drawSheet(app::sheet::kRecordPlate, kRecordPlateAt);
    app::drawText(Assets.fontBold16, kRecordLabelColour, kRecordLabelAt.x, kRecordLabelAt.y, 0,
                  _(kRecordLabel));
    app::drawSheet(app::sheet::kKindBarFrame, kKindBarFrameAt);
    app::drawSheet(app::sheet::kStarRowPlate, kStarRowPlateAt);
    app::drawSheet(app::sheet::kHintButton, kHintButtonAt);
    app::drawSheet(app::sheet::kMenuButton, kMenuButtonAt);
    app::drawSheet(app::sheet::kSaveButton, kSaveButtonAt);
    // Alpha 0 adds the tinted planets onto the backdrop instead of covering it.
    app::drawArtWholeTinted(Assets.planets, al_map_rgba(25, 25, 25, 0), {kPlanetStripX, 0});
    if (timed) {
        app::drawSheet(app::sheet::kClockFrame, kClockFrameAt);
    }
    app::drawSheet(timed ? app::sheet::kModeLabelTimed : app::sheet::kModeLabelRelaxed,
                   kModeLabelAt);
}

void drawScore(int score, int record) {
    app::restoreFromScreen(kScoreArea);
    app::drawTextf(Assets.font34, kScoreShadowColour, kScoreShadowAt.x, kScoreShadowAt.y,
                   ALLEGRO_ALIGN_CENTRE, "%d ", score);
    const bool recordReached = score >= record;
    app::drawTextf(Assets.font34, recordReached ? kScoreRecordColour : kScoreColour, kScoreAt.x,
                   kScoreAt.y, ALLEGRO_ALIGN_CENTRE, "%d ", score);
    app::restoreFromScreen(kRecordArea);
    app::drawTextf(Assets.fontBold16, recordReached ? kRecordReachedColour : kRecordColour,
                   kRecordAt.x, kRecordAt.y, ALLEGRO_ALIGN_RIGHT, " %d",
                   recordReached ? score : record);
}

void drawKindBar(int kind, int progress) {
    if (!board::isOrdinary(kind)) {
        return;
    }
    // Progress read from a stored game may be anything; the bar keeps to its frame.
    const int width = std::clamp(progress, 0, kKindBarFull) + 1;
    const int offset = kKindBarPitch * (kind - 1);
    app::drawSheet(
        {app::sheet::kKindBar1.x, app::sheet::kKindBar1.y + offset, width, app::sheet::kKindBar1.h},
        {kFirstKindBarAt.x, kFirstKindBarAt.y + offset});
}

void eraseKindBar(int kind) {
    app::Rect bar = kKindBarArea;
    bar.y += kKindBarPitch * (kind - 1);
    app::restoreFromScreen(bar);
}

void drawStarInRow(int n) {
    app::drawSheet(app::sheet::kStarIcon, {kStarRowPitch * n + kStarRowX, kStarRowY});
}

void eraseStarRow() {
    app::restoreFromScreen(kStarRowArea);
}

void drawTrayStar(int column) {
    const board::Pixel bottom = board::cellPixel(column, board::kSide);
    app::drawElement(board::ElementKind::Star, bottom.x, bottom.y + kTrayBelowBottomRow);
}

void drawLevelNumber(int level) {
    const auto digit = static_cast<std::size_t>(std::clamp(level, 1, board::kLevels) - 1);
    app::drawSheet(app::sheet::kDigitPieces[digit], kLevelDigitAt);
}

void eraseLevelNumber() {
    app::drawArt(Assets.background, kLevelBox, kLevelBoxAt);
}

void drawPlanet(int level, ALLEGRO_COLOR tint) {
    const int sourceX = kPlanetPitch * (level - 1);
    app::drawArtTinted(Assets.planets, tint, {sourceX, 0, kPlanetW, kPlanetH},
                       {sourceX + kPlanetStripX, 0});
}

void repairPlanetStrip() {
    app::restoreFromScreen(kPlanetStrip);
}

void drawClockRemaining(int steps) {
    const int c = std::clamp(steps, 0, kClockSteps);
    if (c < kClockSteps) {
        const app::Rect bar = app::sheet::kClockBar;
        app::drawSheet({bar.x, bar.y + c, bar.w, bar.h - c}, {kClockBarAt.x, kClockBarAt.y + c});
    }
}

void eraseClockRows(int steps) {
    app::Rect rows = kClockRows;
    rows.h = std::clamp(steps, 0, kClockSteps);
    if (rows.h > 0) {
        app::restoreFromScreen(rows);
    }
}

void eraseClockColumn(int height) {
    app::Rect column = kClockColumn;
    column.h = height;
    app::restoreFromScreen(column);
}

void lightPanelButton(int hover) {
    // The button the pointer left goes dark at once, whichever way it left.
    dimPanelButtons();
    const bool menu = hover == kHoverMenu;
    if (!menu && hover != kHoverSave) {
        return;
    }
    app::laySettled(app::palette::kButtonGlow.a, [menu] {
        app::drawSheetTinted(menu ? app::sheet::kMenuButtonFace : app::sheet::kSaveButtonFace,
                             menu ? kMenuGlowAt : kSaveGlowAt, app::palette::kButtonGlow);
    });
}

void dimPanelButtons() {
    app::restoreFromScreen(kButtonRow);
}

void lightHintButton() {
    app::drawSheet(app::sheet::kHintButtonHover, kHintLitAt);
}

void dimHintButton() {
    app::restoreFromScreen(kHintArea);
}

void pressHintButton() {
    app::drawSheet(app::sheet::kHintButtonPressed, kHintPressedAt);
}

void releaseHintButton() {
    app::restoreFromScreen(kHintFace);
}

} // namespace play
