#include "saves/load_dialog.hpp"

#include "app/assets.hpp"
#include "app/draw.hpp"
#include "app/geometry.hpp"
#include "app/input.hpp"
#include "app/letterbox.hpp"
#include "app/pacing.hpp"
#include "app/palette.hpp"
#include "board/game_state.hpp"
#include "dialog/strip.hpp"
#include "dialog/text_entry.hpp"
#include "saves/password_entry.hpp"
#include "saves/save_index.hpp"
#include "saves/stored_game.hpp"
#include "saves/strip_fade.hpp"
#include "saves/texts.hpp"

#include <allegro5/allegro_font.h>

namespace saves {

namespace {

constexpr int kStripCentre = 228;
constexpr int kFadeTop = 209;
constexpr app::Point kMessageAt{400, 11}; // centred, in the strip
constexpr app::Point kPromptAt{380, 11};  // right-aligned, in the strip
constexpr double kMessageRest = 1.5;

constexpr PasswordField kField{dialog::Charset::Printable,
                               {402, 212},
                               {400, 213},
                               {400, 210, 728, 243},
                               false,
                               true,
                               false,
                               false,
                               211,
                               242};

// A count the game refused to read says nothing of the games stored: the password is
// asked for, as the games are there to be resumed.
bool noStoredGames() {
    return SaveIndex.count == 0 && !SaveIndex.refused;
}

void composeStrip() {
    al_set_target_bitmap(app::Assets.strip);
    al_clear_to_color(app::palette::kStripTeal);
    if (noStoredGames()) {
        app::drawText(app::Assets.font20, app::palette::kMoss, kMessageAt.x, kMessageAt.y,
                      ALLEGRO_ALIGN_CENTRE, _(texts::kNoStoredGames));
    } else if (SaveIndex.count > 0 || SaveIndex.refused) {
        app::drawText(app::Assets.font20, app::palette::kSlate, kPromptAt.x, kPromptAt.y,
                      ALLEGRO_ALIGN_RIGHT, _(texts::kPasswordPrompt));
    }
}

void composeRefusal() {
    al_set_target_bitmap(app::Assets.strip);
    al_clear_to_color(app::palette::kStripTeal);
    app::drawText(app::Assets.font20, app::palette::kCoral, kMessageAt.x, kMessageAt.y,
                  ALLEGRO_ALIGN_CENTRE, _(texts::kWrongPassword));
}

void refuse(bool& refused) {
    stripFadeOut(kFadeTop);
    composeRefusal();
    refused = true;
    stripFadeIn(kFadeTop);
    app::sleepFor(kMessageRest);
}

} // namespace

void loadDialog() {
    composeStrip();
    dialog::stripCentreY = kStripCentre;
    // Over the menu: the strip open again with what it says; the password typed so far
    // comes back with the entry's next pass.
    bool refused = false;
    app::OnRescale recompose(
        [&refused] {
            if (refused) {
                composeRefusal();
            } else {
                composeStrip();
            }
            dialog::stripShowOpen();
        },
        true);
    // Only what is typed from the moment the dialog appears is the password.
    app::beginWait();
    dialog::stripOpen();
    if (noStoredGames()) {
        app::sleepFor(kMessageRest);
        app::waitForRelease();
        dialog::stripClose();
        board::GameState.resumedGame = 0;
        return;
    }

    currentSaveName.clear();
    typePassword(kField);

    // Only a name the save dialog could have given, naming a regular file, is a stored
    // game: "opc.txt", a list file or a path are refused like any wrong password.
    if (storedGameExists(currentSaveName)) {
        board::GameState.resumedGame = 1;
        dialog::stripClose();
        return;
    }
    refuse(refused);
    dialog::stripClose();
    board::GameState.resumedGame = 0;
}

} // namespace saves
