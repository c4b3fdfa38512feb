#include "saves/password_entry.hpp"

#include "app/assets.hpp"
#include "app/draw.hpp"
#include "app/input.hpp"
#include "app/pacing.hpp"
#include "app/palette.hpp"
#include "app/window.hpp"
#include "dialog/strip.hpp"
#include "saves/save_index.hpp"
#include "saves/texts.hpp"

#include <allegro5/allegro_font.h>
#include <allegro5/allegro_primitives.h>

namespace saves {

namespace {
constexpr double kPassRest = 0.1;

void drawCaret(const PasswordField& field, ALLEGRO_COLOR colour) {
    app::drawText(app::Assets.font24, colour, field.caretAt.x, field.caretAt.y, 0, texts::kCaret);
}
} // namespace

EntryEnd typePassword(const PasswordField& field) {
    std::string& password = currentSaveName;
    dialog::EntryPicture picture;
    for (;;) {
        if (field.pollsMouse) {
            app::pollInput();
        } else {
            app::answerWindow();
        }
        dialog::CaretPhase caret = dialog::CaretPhase::Neither;
        if (password.empty()) {
            caret = dialog::advanceCaret();
            if (caret == dialog::CaretPhase::Bright) {
                drawCaret(field, app::palette::kSilver);
            }
        }
        if (caret == dialog::CaretPhase::Dark) {
            drawCaret(field, field.darkHiddenCaret ? app::palette::kInk : app::palette::kStripTeal);
        }
        const int key = dialog::nextTypedCharacter();
        dialog::applyKey(password, key, field.charset);

        app::drawTextf(app::Assets.font24, app::palette::kSilver, field.textAt.x, field.textAt.y, 0,
                       "%s", password.c_str());
        picture.show(key, caret);
        dialog::restPass(kPassRest);
        al_draw_filled_rectangle(field.erase.x0, field.erase.y0, field.erase.x1, field.erase.y1,
                                 app::palette::kStripTeal);

        if (!password.empty() &&
            (key == dialog::kEnter || (field.escapeConfirms && key == dialog::kEscape))) {
            dialog::forgetConfirmingKey();
            return EntryEnd::Typed;
        }
        if (password.empty() && field.escapeGivesUp && key == dialog::kEscape) {
            dialog::forgetConfirmingKey();
            return EntryEnd::GaveUp;
        }
        const app::InputStateRecord& in = app::InputState;
        if (field.pollsMouse && password.empty() && in.buttons == app::kRightButton &&
            in.y >= field.rightClickTop && in.y <= field.rightClickBottom) {
            return EntryEnd::RightClick;
        }
    }
}

} // namespace saves
