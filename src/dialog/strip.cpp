#include "dialog/strip.hpp"

#include "app/assets.hpp"
#include "app/draw.hpp"
#include "app/geometry.hpp"
#include "app/letterbox.hpp"
#include "app/pacing.hpp"
#include "app/palette.hpp"
#include "app/press_rules.hpp"

#include <allegro5/allegro_font.h>
#include <allegro5/allegro_primitives.h>

namespace dialog {

int stripCentreY = 0;

namespace {

constexpr int kWidth = 800;
constexpr int kOpenSteps = 20;
constexpr double kOpenRest = 0.01;
constexpr int kMiddleRow = 22;
constexpr int kCloseSteps = 12;
constexpr double kCloseRest = 0.03;

constexpr ALLEGRO_COLOR kEdgeColour = app::palette::rgb(160, 120, 30);

// A notice takes the strip at the bottom of the screen, as the save dialog's messages do.
constexpr int kNoticeCentre = 569;
constexpr app::Point kNoticeAt{400, 10}; // centred, in the strip
constexpr double kNoticeRest = 1.5;

void drawEdges(int above, int below) {
    al_draw_line(0, above, kWidth, above, kEdgeColour, 1);
    al_draw_line(0, below, kWidth, below, kEdgeColour, 1);
}

// Step i of the opening: the strip's middle 2i - 1 rows, and its edges i rows out. The
// lower edge a step draws stays one row below the next step's rows.
void drawOpenStep(int i) {
    const int rows = 2 * i - 1;
    if (rows > 0) {
        app::copyRegion(app::Assets.strip, {0, kMiddleRow - i, kWidth, rows},
                        {0, stripCentreY - i});
    }
    app::setTargetCanvas();
    drawEdges(stripCentreY - i, stripCentreY + i);
}

} // namespace

void stripOpen() {
    // The strip is the dialog appearing: what is typed or clicked meanwhile is the
    // dialog's, as on a screen fading in.
    app::During appearing(app::Moment::FadingIn);
    // The strip is drawn onto the canvas, never onto itself.
    app::setTargetCanvas();
    app::Pace pace(kOpenRest);
    for (int i = 0; i < kOpenSteps; ++i) {
        drawOpenStep(i);
        pace.frame(i == kOpenSteps - 1);
    }
}

void stripShowOpen() {
    app::setTargetCanvas();
    // The last two steps leave all that shows of the earlier ones.
    drawOpenStep(kOpenSteps - 2);
    drawOpenStep(kOpenSteps - 1);
}

void stripClose() {
    // The dialog leaving: a press meanwhile is spent on it.
    app::During leaving(app::Moment::FadingOut);
    app::setTargetCanvas();
    app::Pace pace(kCloseRest);
    for (int i = 0; i < kCloseSteps; ++i) {
        if (i >= 2) {
            drawEdges(stripCentreY + 2 * i - 20, stripCentreY - 2 * i + 20);
        }
        if (i > 0) {
            app::restoreFromScreen({0, stripCentreY + i - kMiddleRow, kWidth, i});
            app::restoreFromScreen({0, stripCentreY - 2 * i + 21, kWidth, i});
        }
        app::setTargetCanvas();
        pace.frame(i == kCloseSteps - 1);
    }
}

void stripNotice(const char* text) {
    al_set_target_bitmap(app::Assets.strip);
    al_clear_to_color(app::palette::kStripTeal);
    app::drawText(app::Assets.font20, app::palette::kCoral, kNoticeAt.x, kNoticeAt.y,
                  ALLEGRO_ALIGN_CENTRE, text);
    stripCentreY = kNoticeCentre;
    stripOpen();
    app::sleepFor(kNoticeRest);
    stripClose();
}

} // namespace dialog
