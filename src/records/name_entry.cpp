#include "records/name_entry.hpp"

#include "app/assets.hpp"
#include "app/draw.hpp"
#include "app/geometry.hpp"
#include "app/letterbox.hpp"
#include "app/pacing.hpp"
#include "app/palette.hpp"
#include "app/window.hpp"
#include "board/game_state.hpp"
#include "dialog/strip.hpp"
#include "dialog/text_entry.hpp"
#include "records/high_scores.hpp"
#include "records/list_screen.hpp"
#include "records/texts.hpp"

#include <allegro5/allegro_font.h>
#include <allegro5/allegro_primitives.h>

#include <algorithm>
#include <string>

namespace records {

namespace {

constexpr int kStripCentre = 569;
constexpr app::Point kPromptAt{285, 11}; // in the strip, right-aligned
constexpr app::Point kCaretAt{300, 553};
constexpr app::Point kNameAt{300, 554};
constexpr app::HitBox kFieldOutline{294, 554, 628, 584};
constexpr app::HitBox kFieldInside{295, 555, 627, 583};
constexpr double kPassRest = 0.1;

void composePromptStrip() {
    al_set_target_bitmap(app::Assets.strip);
    al_clear_to_color(app::palette::kStripTeal);
    app::drawText(app::Assets.font20, app::palette::kSlate, kPromptAt.x, kPromptAt.y,
                  ALLEGRO_ALIGN_RIGHT, _(texts::kNamePrompt));
}

void drawCaret(ALLEGRO_COLOR colour) {
    app::drawText(app::Assets.font24, colour, kCaretAt.x, kCaretAt.y, 0, texts::kCaret);
}

// The empty name field, drawn over the last pass's name.
void drawField() {
    al_draw_rectangle(kFieldOutline.x0, kFieldOutline.y0, kFieldOutline.x1, kFieldOutline.y1,
                      app::palette::kSlate, 1);
    al_draw_filled_rectangle(kFieldInside.x0, kFieldInside.y0, kFieldInside.x1, kFieldInside.y1,
                             app::palette::kInk);
}

// Places the finished game's result under `name` in the list of the mode played and
// stores the list, then runs `resultStored`; false when the list could not be stored.
bool recordResult(const std::string& name, void (*resultStored)()) {
    board::GameState.level = std::min(board::GameState.level, board::kLevels);
    insertResult(name, board::GameState.level, board::GameState.score);
    board::GameState.score = 0;
    if (!writeList()) {
        return false;
    }
    if (resultStored != nullptr) {
        resultStored();
    }
    return true;
}

// One pass per typed character at most; returns when Enter or Escape ends a
// non-empty name. Closing the window meanwhile records the result under the name typed
// so far (a name too short to show gets the list's placeholder).
std::string typeName(void (*resultStored)()) {
    std::string name;
    app::OnWindowClose keep([&name, resultStored] { recordResult(name, resultStored); });
    // Over the picture beneath: the strip open again with the name typed so far.
    app::OnRescale recompose(
        [&name] {
            composePromptStrip();
            dialog::stripShowOpen();
            drawField();
            app::drawText(app::Assets.font24, app::palette::kSilver, kNameAt.x, kNameAt.y, 0,
                          name.c_str());
        },
        true);
    dialog::EntryPicture picture;
    for (;;) {
        app::answerWindow();
        dialog::CaretPhase caret = dialog::CaretPhase::Neither;
        if (name.empty()) {
            caret = dialog::advanceCaret();
            if (caret == dialog::CaretPhase::Bright) {
                drawCaret(app::palette::kSilver);
            }
        }
        if (caret == dialog::CaretPhase::Dark) {
            drawCaret(app::palette::kInk);
        }
        const int key = dialog::nextTypedCharacter();
        dialog::applyKey(name, key, dialog::Charset::Word);
        app::drawText(app::Assets.font24, app::palette::kSilver, kNameAt.x, kNameAt.y, 0,
                      name.c_str());
        picture.show(key, caret);
        dialog::restPass(kPassRest);
        drawField();
        if ((key == dialog::kEnter || key == dialog::kEscape) && !name.empty()) {
            dialog::forgetConfirmingKey();
            return name;
        }
    }
}

} // namespace

void nameEntry(void (*resultStored)()) {
    if (board::GameState.nameEntryDue == 0) {
        return;
    }
    readList();
    composePromptStrip();
    dialog::stripCentreY = kStripCentre;
    // Only what is typed from the moment the entry appears is the name.
    app::beginWait();
    dialog::stripOpen();
    const std::string name = typeName(resultStored);
    dialog::stripClose();

    if (!recordResult(name, resultStored)) {
        dialog::stripNotice(_(texts::kResultNotStored));
    }
    listScreen();
}

} // namespace records
