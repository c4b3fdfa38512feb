#include "game/main_menu.hpp"

#include "app/assets.hpp"
#include "app/draw.hpp"
#include "app/input.hpp"
#include "app/keys.hpp"
#include "app/letterbox.hpp"
#include "app/pacing.hpp"
#include "app/palette.hpp"
#include "app/sheet.hpp"
#include "app/sound.hpp"
#include "app/texts.hpp"
#include "app/transitions.hpp"
#include "app/waiting.hpp"
#include "game/menu_actions.hpp"

#include <allegro5/allegro_font.h>

namespace game {

// The root composes the ground's pieces; their names read as in the ground itself.
using namespace app;

namespace {

constexpr int kItemPitch = 40;
// The menu's plate leaves out the last column of the sheet's plate, which the pause shows.
constexpr Rect kItemPlate{sheet::kMenuPlate.x, sheet::kMenuPlate.y, sheet::kMenuPlate.w - 1,
                          sheet::kMenuPlate.h};
constexpr Point kFirstPlateAt{288, 170};
constexpr Rect kTitleOrnament = app::sheet::kMenuTitleOrnament;
constexpr Point kTitleOrnamentAt{346, 120};
constexpr Point kTitleAt{400, 20};
constexpr int kLabelX = 400;
constexpr int kFirstLabelY = 173;
constexpr int kBackdropX = -300;
// The highlight band of item i is at (293, 135 + 40 i), taken from the screen buffer.
constexpr Rect kFirstBand{293, 175, 211, 25};
constexpr Rect kRestoredRegion{285, 170, 225, 275};

constexpr int kExitItem = 7;

constexpr ALLEGRO_COLOR kLabelColour = app::palette::rgb(105, 160, 105);
constexpr ALLEGRO_COLOR kTitleColour = app::palette::rgb(15, 100, 105);

void drawTitle() {
    // Four black copies one pixel off each way, then the title: an outlined word.
    constexpr Point kOutline[] = {{-1, 0}, {1, 0}, {0, -1}, {0, 1}};
    for (Point off : kOutline) {
        app::drawText(Assets.font34, app::palette::kBlack, kTitleAt.x + off.x, kTitleAt.y + off.y,
                      ALLEGRO_ALIGN_CENTRE, kGameTitle);
    }
    app::drawText(Assets.font34, kTitleColour, kTitleAt.x, kTitleAt.y, ALLEGRO_ALIGN_CENTRE,
                  kGameTitle);
}

void drawHighlight(int item) {
    const int y = kFirstBand.y + kItemPitch * (item - 1);
    app::copyRegionTinted(Assets.screen, app::palette::kHoverGlow,
                          {kFirstBand.x, y, kFirstBand.w, kFirstBand.h}, {kFirstBand.x, y});
}

} // namespace

app::HitBox menuItemBox(int item) {
    const int offset = kItemPitch * (item - 1);
    return HitBox{291, 172 + offset, 504, 199 + offset};
}

int menuItemAt(int x, int y) {
    for (int item = 1; item <= kMenuItems; ++item) {
        if (menuItemBox(item).contains(x, y)) {
            return item;
        }
    }
    return 0;
}

void composeMainMenu() {
    al_set_target_bitmap(Assets.screen);
    app::drawArtWhole(Assets.background, {kBackdropX, 0}, ALLEGRO_FLIP_HORIZONTAL);
    drawTitle();
    drawSheet(kTitleOrnament, kTitleOrnamentAt);
    for (int item = 1; item <= kMenuItems; ++item) {
        const int offset = kItemPitch * (item - 1);
        drawSheet(kItemPlate, {kFirstPlateAt.x, kFirstPlateAt.y + offset});
        app::drawText(Assets.font24, kLabelColour, kLabelX, kFirstLabelY + offset,
                      ALLEGRO_ALIGN_CENTRE, _(menuLabels[item - 1]));
    }
    setTargetCanvas();
}

void mainMenu() {
    composeMainMenu();
    fadeIn();
    bool wasOnItem = false;
    // The lit item: the one under the pointer since the mouse last moved, or the one the
    // arrows moved to since (Down from none lights the first; the ends stop them).
    int lit = 0;
    app::OnRescale recompose([&lit] {
        composeMainMenu();
        app::showScreenBuffer();
        if (lit != 0) {
            drawHighlight(lit);
        }
    });
    Point pointer{-1, -1};
    bool pointerKnown = false;
    WaitingScreen waiting;
    for (;;) {
        pollInput();
        const int pointed = menuItemAt(InputState.x, InputState.y);
        // A window that opens under a resting pointer lights nothing until the mouse
        // moves: a key pressed then (Space to skip the intro) must not choose that item.
        if (!pointerKnown) {
            pointer = {InputState.x, InputState.y};
            pointerKnown = true;
        }
        if (InputState.x != pointer.x || InputState.y != pointer.y) {
            pointer = {InputState.x, InputState.y};
            lit = pointed;
        }
        const int key = takeKey();
        const int before = lit;
        if (key == ALLEGRO_KEY_DOWN) {
            lit = lit < kMenuItems ? lit + 1 : kMenuItems;
        } else if (key == ALLEGRO_KEY_UP && lit != 0) {
            lit = lit > 1 ? lit - 1 : 1;
        }
        InputState.hover = lit;
        if (lit != 0) {
            drawHighlight(lit);
            if (!wasOnItem || lit != before) {
                playCue(SoundCue::Menu);
            }
            wasOnItem = true;
        } else {
            wasOnItem = false;
        }
        int item = 0;
        if (pointed != 0 && InputState.buttons == kLeftButton) {
            item = pointed;
        } else if (lit != 0 && isChoiceKey(key)) {
            item = lit;
        }
        if (item != 0) {
            if (item == kExitItem) {
                app::showCanvas();
                restoreFromScreen(kRestoredRegion);
                app::sleepFor(kFrameRest);
                fadeOut();
                return;
            }
            forgetKeys(); // what the menu did not take is not the item's
            runMenuItem(item);
            waiting = WaitingScreen{}; // the menu came back faded in: show its hover again
        }
        waiting.present();
        restoreFromScreen(kRestoredRegion);
        waiting.rest();
    }
}

} // namespace game
