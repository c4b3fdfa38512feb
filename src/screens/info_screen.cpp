#include "screens/info_screen.hpp"

#include "app/assets.hpp"
#include "app/draw.hpp"
#include "app/palette.hpp"
#include "app/return_button.hpp"
#include "app/sheet.hpp"
#include "screens/page_loop.hpp"
#include "screens/texts.hpp"

#include <allegro5/allegro_font.h>

namespace screens {

namespace {

constexpr int kBackdropX = -420;
constexpr app::Rect kHeading = app::sheet::kHeadingInfo;
constexpr app::Point kHeadingAt{310, 50};
constexpr app::Rect kStar = app::sheet::kStarIcon;
constexpr app::Point kLeftStarAt{150, 450};
constexpr app::Point kRightStarAt{610, 450};
constexpr app::HitBox kPanel{100, 100, 700, 520};
constexpr float kPanelRadius = 15;
constexpr int kRuleX = 150;
constexpr int kFirstRuleY = 120;
// The rules, the keys and the credits, one block after another, fit above the stars.
constexpr int kLinePitch = 18;
constexpr int kBlockGap = 4;
constexpr int kFirstKeyY =
    kFirstRuleY + kLinePitch * static_cast<int>(texts::kRules.size()) + kBlockGap;
constexpr int kFirstCreditY =
    kFirstKeyY + kLinePitch * static_cast<int>(texts::kKeys.size()) + kBlockGap;
constexpr int kCreditX = 400;
constexpr int kHalfCycle = 100;

constexpr ALLEGRO_COLOR kCreditColour = app::palette::rgb(100, 110, 120);
constexpr ALLEGRO_COLOR kBrightStar{0.2f, 0.6f, 0.8f, 0.3f};

void drawStars(bool leftBright) {
    app::drawSheetTinted(kStar, kLeftStarAt, leftBright ? kBrightStar : app::palette::kHoverGlow);
    app::drawSheetTinted(kStar, kRightStarAt, leftBright ? app::palette::kHoverGlow : kBrightStar);
}

void composePage() {
    al_set_target_bitmap(app::Assets.screen);
    app::drawArtWhole(app::Assets.background, {kBackdropX, 0});
    app::drawSheet(kHeading, kHeadingAt);
    app::drawPanel(kPanel, kPanelRadius, app::palette::kDeepTeal);
    app::drawSheet(kStar, kLeftStarAt);
    const int lastRule = static_cast<int>(texts::kRules.size()) - 1;
    for (int i = 0; i <= lastRule; ++i) {
        app::drawText(app::Assets.fontBold16,
                      i == lastRule ? app::palette::kLeaf : app::palette::kSilver, kRuleX,
                      kFirstRuleY + kLinePitch * i, ALLEGRO_ALIGN_LEFT, _(texts::kRules[i]));
    }
    for (std::size_t i = 0; i < texts::kKeys.size(); ++i) {
        app::drawText(app::Assets.fontBold16, app::palette::kSilver, kRuleX,
                      kFirstKeyY + kLinePitch * static_cast<int>(i), ALLEGRO_ALIGN_LEFT,
                      _(texts::kKeys[i]));
    }
    for (std::size_t i = 0; i < texts::kCredits.size(); ++i) {
        app::drawText(app::Assets.fontBold16, kCreditColour, kCreditX,
                      kFirstCreditY + kLinePitch * static_cast<int>(i), ALLEGRO_ALIGN_CENTRE,
                      _(texts::kCredits[i]));
    }
    app::drawSheet(kStar, kLeftStarAt);
    app::drawSheet(kStar, kRightStarAt);
    app::drawReturnButton(app::kPageReturn);
}

} // namespace

void infoScreen() {
    showPage(composePage, kHalfCycle, drawStars, app::palette::kHoverGlow.a);
}

} // namespace screens
