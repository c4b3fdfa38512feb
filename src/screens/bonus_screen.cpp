#include "screens/bonus_screen.hpp"

#include "app/assets.hpp"
#include "app/draw.hpp"
#include "app/palette.hpp"
#include "app/return_button.hpp"
#include "app/sheet.hpp"
#include "screens/page_loop.hpp"
#include "screens/texts.hpp"

#include <allegro5/allegro_font.h>
#include <allegro5/allegro_primitives.h>

namespace screens {

namespace {

constexpr app::Rect kHeading = app::sheet::kHeadingBonuses;
constexpr app::Point kHeadingAt{287, 30};
constexpr app::Rect kFigures = app::sheet::kBonusFigures;
constexpr app::Point kFiguresAt{230, 108};
constexpr app::Rect kStar = app::sheet::kStarIcon;
constexpr app::Point kUpperStarAt{220, 30};
constexpr app::Point kLowerStarAt{130, 400};
constexpr app::HitBox kPanel{200, 80, 600, 540};
constexpr float kPanelRadius = 15;
// The two lines framing the row of the full bar.
constexpr app::HitBox kUpperRule{235, 298, 560, 298};
constexpr app::HitBox kLowerRule{235, 330, 560, 330};
constexpr int kHalfCycle = 75;

// The upper and lower stars' tints in the first and second phase.
constexpr ALLEGRO_COLOR kUpperFirst{0.2f, 0.6f, 0.8f, 0.6f};
constexpr ALLEGRO_COLOR kUpperSecond{0.2f, 0.6f, 0.8f, 0.5f};
constexpr ALLEGRO_COLOR kLowerFirst{0.6f, 0.4f, 0.5f, 0.6f};
constexpr ALLEGRO_COLOR kLowerSecond{0.8f, 0.6f, 0.6f, 0.7f};
constexpr float kFaintestStar = kUpperSecond.a;

void drawStars(bool firstPhase) {
    app::drawSheetTinted(kStar, kUpperStarAt, firstPhase ? kUpperFirst : kUpperSecond);
    app::drawSheetTinted(kStar, kLowerStarAt, firstPhase ? kLowerFirst : kLowerSecond);
}

void composeTable() {
    al_set_target_bitmap(app::Assets.screen);
    app::drawArtWhole(app::Assets.background, {0, 0}, ALLEGRO_FLIP_HORIZONTAL);
    app::drawSheet(kHeading, kHeadingAt);
    app::drawPanel(kPanel, kPanelRadius, app::palette::kNavy);
    app::drawSheet(kFigures, kFiguresAt);
    for (const texts::PlacedText& row : texts::kBonusRows) {
        app::drawText(app::Assets.fontBold16,
                      row.heading ? app::palette::kSlate : app::palette::kSilver, row.x, row.y,
                      row.rightAligned ? ALLEGRO_ALIGN_RIGHT : ALLEGRO_ALIGN_LEFT, _(row.text));
    }
    for (const app::HitBox& rule : {kUpperRule, kLowerRule}) {
        al_draw_line(rule.x0, rule.y0, rule.x1, rule.y1, app::palette::kSlate, 2);
    }
    app::drawReturnButton(app::kPageReturn);
    app::drawSheet(kStar, kUpperStarAt);
    app::drawSheet(kStar, kLowerStarAt);
}

} // namespace

void bonusScreen() {
    showPage(composeTable, kHalfCycle, drawStars, kFaintestStar);
}

} // namespace screens
