#include "saves/save_dialog.hpp"

#include "app/assets.hpp"
#include "app/debug.hpp"
#include "app/draw.hpp"
#include "app/geometry.hpp"
#include "app/input.hpp"
#include "app/keys.hpp"
#include "app/letterbox.hpp"
#include "app/pacing.hpp"
#include "app/palette.hpp"
#include "app/sheet.hpp"
#include "app/waiting.hpp"
#include "app/window.hpp"
#include "board/board_setup.hpp"
#include "board/game_state.hpp"
#include "dialog/strip.hpp"
#include "dialog/text_entry.hpp"
#include "files/player_files.hpp"
#include "saves/password_entry.hpp"
#include "saves/save_index.hpp"
#include "saves/stored_game.hpp"
#include "saves/strip_fade.hpp"
#include "saves/texts.hpp"

#include <allegro5/allegro_font.h>

#include <climits>
#include <cstdio>
#include <string>

namespace saves {

namespace {

constexpr int kStripCentre = 569;
constexpr int kFadeTop = 550;
constexpr app::Point kQuestionAt{533, 10}; // centred, in the strip
constexpr app::Point kMessageAt{400, 10};  // centred, in the strip
constexpr app::Point kPromptAt{350, 10};   // right-aligned, in the strip
constexpr app::Rect kYesPicture = app::sheet::kYesPlate;
constexpr app::Point kYesAt{375, 10};
constexpr app::Rect kNoPicture = app::sheet::kNoPlate;
constexpr app::Point kNoAt{652, 10};
// Both answers count their top and bottom rows (557 <= y <= 580).
constexpr app::HitBox kYesButton{375, 556, 413, 580};
constexpr app::HitBox kNoButton{652, 556, 690, 580};
constexpr int kYes = 1;
constexpr int kNo = 2;
constexpr int kStripToScreen = 547; // a strip row y shows at y + 547
constexpr app::Rect kYesBand{374, 10, 40, 25};
constexpr app::Rect kNoBand{651, 10, 40, 25};
constexpr app::Rect kAnswersBand{370, 10, 330, 25};
constexpr double kMessageRest = 1.5;

constexpr PasswordField kField{dialog::Charset::Word,
                               {378, 553},
                               {377, 554},
                               {370, 551, 728, 584},
                               true,
                               false,
                               true,
                               true,
                               0,
                               -1};

constexpr ALLEGRO_COLOR kButtonTint{0.6f, 0.6f, 0.6f, 0.45f};

// The read-out in the top-left corner, over a clean piece of the backdrop.
constexpr app::Rect kReadoutClear{232, 0, 70, 80}; // of the backdrop, copied to (0, 0)
constexpr int kReadoutLinePitch = 15;
constexpr ALLEGRO_COLOR kReadoutColour = app::palette::rgb(15, 160, 15);

// For a developer who set ORBELIUM_DEBUG, the input numbers the question works with, on
// a corner cleaned every frame. For a player the corner is left alone: from level 2 on
// the planet strip shows Mercury there.
void drawReadout() {
    if (app::debugReadout()) {
        app::drawArt(app::Assets.background, kReadoutClear, {0, 0});
        const int lines[] = {app::InputState.hover, app::InputState.x, app::InputState.y,
                             board::GameState.selectedCell, board::GameState.lineKind};
        for (int i = 0; i < static_cast<int>(texts::kReadoutFormats.size()); ++i) {
            app::drawTextf(app::Assets.fontBold16, kReadoutColour, 0, kReadoutLinePitch * i, 0,
                           texts::kReadoutFormats[i], lines[i]);
        }
    }
}

// The board as it stands now goes into the screen buffer, which the strip's closing
// copies back.
void refreshBoardInScreen() {
    al_set_target_bitmap(app::Assets.screen);
    app::Pace pace(0.0);
    for (int cell = 1; cell <= board::kCells; ++cell) {
        app::drawElement(board::GameState.cellKind[cell], board::GameState.cellX[cell],
                         board::GameState.cellY[cell]);
        pace.frame(cell == board::kCells);
    }
}

void clearStrip() {
    al_set_target_bitmap(app::Assets.strip);
    al_clear_to_color(app::palette::kStripTeal);
}

void composeQuestion() {
    clearStrip();
    app::drawText(app::Assets.font20, app::palette::kSilver, kQuestionAt.x, kQuestionAt.y,
                  ALLEGRO_ALIGN_CENTRE, _(texts::kStoreQuestion));
    app::drawSheet(kYesPicture, kYesAt);
    app::drawSheet(kNoPicture, kNoAt);
}

void drawStripBand(app::Rect band, bool tinted) {
    const app::Point at{band.x, band.y + kStripToScreen};
    if (tinted) {
        app::copyRegionTinted(app::Assets.strip, kButtonTint, band, at);
    } else {
        app::copyRegion(app::Assets.strip, band, at);
    }
}

// The question loop; true when the answer is yes. Besides the mouse: T (tak) and N
// (nie) answer at once, Left and Right light an answer and Enter or Space gives it, and
// Escape says no when `escape` says so.
bool answeredYes(EscapeInQuestion escape) {
    app::WaitingScreen waiting;
    int band = 0;       // the answer lit by the last frame's drawing (0: none)
    int shownBand = -1; // the answer lit on the screen
    int keyLit = 0;     // the answer the arrows lit; the mouse moving lets it go
    app::Point pointer{-1, -1};
    // Over the play screen: the question again, its lit answer drawn by the next pass.
    app::OnRescale recompose(
        [&shownBand] {
            composeQuestion();
            dialog::stripShowOpen();
            shownBand = -1;
        },
        true);
    for (;;) {
        app::pollInput();
        drawReadout();
        if (waiting.present(band != shownBand)) {
            shownBand = band;
        }
        waiting.rest();
        app::InputStateRecord& in = app::InputState;
        if (kYesButton.contains(in.x, in.y)) {
            in.hover = kYes;
        } else if (kNoButton.contains(in.x, in.y)) {
            in.hover = kNo;
        }
        if (in.x != pointer.x || in.y != pointer.y) {
            keyLit = 0;
            pointer = {in.x, in.y};
        }
        const int key = app::takeKey();
        // T for "tak", Y for "yes": the answer's first letter in either language.
        if (key == ALLEGRO_KEY_T || key == ALLEGRO_KEY_Y) {
            return true;
        }
        if (key == ALLEGRO_KEY_N ||
            (key == ALLEGRO_KEY_ESCAPE && escape == EscapeInQuestion::Declines)) {
            return false;
        }
        if (key == ALLEGRO_KEY_LEFT || key == ALLEGRO_KEY_RIGHT) {
            keyLit = key == ALLEGRO_KEY_LEFT ? kYes : kNo;
        }
        if (in.hover == 0) {
            in.hover = keyLit;
        }
        if (app::isChoiceKey(key) && in.hover != 0) {
            return in.hover == kYes;
        }
        // The answer the pointer left goes dark at once; the lit one shows the glow its
        // copies laid pass after pass build up.
        drawStripBand(kAnswersBand, false);
        if (in.hover == kYes || in.hover == kNo) {
            app::laySettled(kButtonTint.a, [hover = in.hover] {
                drawStripBand(hover == kYes ? kYesBand : kNoBand, true);
            });
        }
        band = in.hover;
        if (in.hover == kNo && in.buttons == app::kLeftButton) {
            return false;
        }
        if (in.hover == kYes && in.buttons == app::kLeftButton) {
            return true;
        }
    }
}

// The line the strip shows once the question is answered, kept to compose it again after
// a change of scale.
struct StripLine {
    const char* text;
    ALLEGRO_COLOR colour;
    app::Point at;
    int align;
};
StripLine shownLine{};

void composeLine() {
    clearStrip();
    if (shownLine.text != nullptr) {
        app::drawText(app::Assets.font20, shownLine.colour, shownLine.at.x, shownLine.at.y,
                      shownLine.align, shownLine.text);
    }
}

// Replaces the strip's picture with one line of text, fading the old one out first.
void showInStrip(const char* text, ALLEGRO_COLOR colour, app::Point at, int align) {
    stripFadeOut(kFadeTop);
    shownLine = {text, colour, at, align};
    composeLine();
    stripFadeIn(kFadeTop);
}

void showStoreFailed() {
    showInStrip(_(texts::kStoreFailed), app::palette::kCoral, kMessageAt, ALLEGRO_ALIGN_CENTRE);
    app::sleepFor(kMessageRest);
}

// Stores the game under `name` and then the count. A count that cannot be written
// would leave a new stored game out of the count on disk (after a restart the load
// dialog could say there is none), so for a file this store created it fails the whole
// store and the file is removed again. A stored game that was there before is already
// counted: replacing it stands.
bool storeGame(const std::string& name) {
    // A stored game already there is already counted, even one the player made read-only:
    // the replacement stands when the count cannot be written.
    const bool existed = files::isRegularFile(name);
    // A count the game refused to read can never take a new game: nothing is written, so
    // whatever lies under that name stays as it was.
    if (!existed && SaveIndex.refused) {
        return false;
    }
    if (!writeStoredGame(name)) {
        return false;
    }
    if (!writeSaveIndex() && !existed) {
        files::removePlayerFile(name);
        return false;
    }
    return true;
}

// A new password for the game, stored under it. Escape on an empty field gives up: at
// the first prompt the game goes on, since nothing said Escape would end it; at the
// prompt after a failure, which says "(Esc - bez zapisu)", the game ends unstored. The
// count rises as the entry begins and falls again when nothing gets stored.
SaveEnd storeUnderNewPassword(bool afterFailure) {
    for (;;) {
        showInStrip(_(afterFailure ? texts::kOtherPasswordPrompt : texts::kNewPasswordPrompt),
                    app::palette::kSlate, kPromptAt, ALLEGRO_ALIGN_RIGHT);
        currentSaveName.clear();
        const bool raised = SaveIndex.count < INT_MAX;
        if (raised) {
            ++SaveIndex.count;
        }
        const EntryEnd end = typePassword(kField);
        if (end == EntryEnd::Typed && storeGame(currentSaveName)) {
            return SaveEnd::Stored;
        }
        if (raised) {
            --SaveIndex.count;
        }
        if (end != EntryEnd::Typed) {
            return afterFailure ? SaveEnd::Declined : SaveEnd::GameGoesOn;
        }
        showStoreFailed();
        afterFailure = true;
    }
}

} // namespace

SaveEnd saveDialog(EscapeInQuestion escape) {
    refreshBoardInScreen();
    composeQuestion();
    dialog::stripCentreY = kStripCentre;
    // Only what is pressed from the moment the question appears answers it.
    app::beginWait();
    dialog::stripOpen();
    if (!answeredYes(escape)) {
        dialog::stripClose();
        return SaveEnd::Declined;
    }
    // Over the play screen: the strip open again with its line; a password typed so far
    // comes back with the entry's next pass.
    shownLine = {};
    app::OnRescale recompose(
        [] {
            composeLine();
            dialog::stripShowOpen();
        },
        true);

    const std::string oldName = currentSaveName;
    SaveEnd end = SaveEnd::Declined;
    if (!oldName.empty()) {
        if (storeGame(oldName)) {
            end = SaveEnd::Stored;
            showInStrip(_(texts::kStoredUnderOldName), app::palette::kLeaf, kMessageAt,
                        ALLEGRO_ALIGN_CENTRE);
            app::sleepFor(kMessageRest);
        } else {
            showStoreFailed();
        }
    }
    if (end != SaveEnd::Stored) {
        end = storeUnderNewPassword(!oldName.empty());
    }
    if (end != SaveEnd::Stored) {
        // Given up: nothing was stored, so the game keeps the name it came with.
        currentSaveName = oldName;
        dialog::stripClose();
        // The game goes on as it was: the wait for the password was no pause of it.
        app::takeFocusLoss();
        return end;
    }
    board::resetGame();
    dialog::stripClose();
    currentSaveName.clear();
    return SaveEnd::Stored;
}

} // namespace saves
