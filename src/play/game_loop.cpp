#include "play/game_loop.hpp"

#include "app/assets.hpp"
#include "app/draw.hpp"
#include "app/input.hpp"
#include "app/keys.hpp"
#include "app/letterbox.hpp"
#include "app/pacing.hpp"
#include "app/palette.hpp"
#include "app/press_rules.hpp"
#include "app/sheet.hpp"
#include "app/sound.hpp"
#include "app/transitions.hpp"
#include "app/window.hpp"
#include "board/board_setup.hpp"
#include "board/game_state.hpp"
#include "board/lines.hpp"
#include "board/move_search.hpp"
#include "board/scoring.hpp"
#include "play/board_animations.hpp"
#include "play/board_cursor.hpp"
#include "play/board_input.hpp"
#include "play/board_view.hpp"
#include "play/clock.hpp"
#include "play/game_screen.hpp"
#include "play/hint_button.hpp"
#include "play/level_end.hpp"
#include "play/panel.hpp"
#include "play/pause.hpp"
#include "play/planet_screens.hpp"
#include "records/high_scores.hpp"
#include "records/name_entry.hpp"
#include "saves/save_dialog.hpp"
#include "saves/save_index.hpp"

#include <algorithm>
#include <cstring>

namespace play {

using app::Assets;
using app::InputState;
using board::GameState;

namespace {

// The longest the game loop sleeps with nothing due: a second of frames.
constexpr int kIdleFrames = 750;

enum class WayOut { Playing, TimeUp, LastPlanet, MenuButton, SaveButton };

bool isCell(int hover) {
    return hover >= 1 && hover <= board::kCells;
}

bool isButton(int hover) {
    return hover == kHoverHint || hover == kHoverMenu || hover == kHoverSave;
}

void setUpGame() {
    showBoardSteps();
    app::fadeOut();
    // A window that lost the focus before the game began pauses nothing.
    app::takeFocusLoss();
    board::resetGame();
    updateBoardFrame();
    board::fillBoardRandomly();
    // The record line and the time-out's place 20 belong to the mode being played; a
    // resumed game then overwrites the record with its stored value.
    records::loadRecordForMode();
    composeGameScreen();
    if (GameState.resumedGame == 1) {
        // The stored game brought its own mode, which may not be the options' one: its
        // time-out is judged against the list of that mode.
        records::readList();
    }
    app::startMusic();
    // Nothing to score yet: this only writes the score and the record.
    board::scoreAward();
    drawLevelNumber(GameState.level);
}

// The menu button stores the board as last seen into the screen buffer, so that the
// fade-out shows it.
void keepBoardInScreenBuffer() {
    al_set_target_bitmap(Assets.screen);
    drawAllCellsFlipping();
    app::setTargetCanvas();
}

// The window's close during a game asks what the save button asks, so a game is never
// thrown away untold. While the question shows, a second close ends the program at once,
// and so do Escape and the answer no, without storing; a game stored ends it too. Escape
// at the first password gives the game back.
WayOut askBeforeClosing() {
    saves::SaveEnd end;
    {
        app::AskBeforeClosing closeAtOnce(false);
        end = saves::saveDialog(saves::EscapeInQuestion::Declines);
    }
    if (end == saves::SaveEnd::GameGoesOn) {
        return WayOut::Playing;
    }
    app::quit();
}

class Frame {
  public:
    // One frame of the game, in the order the rules depend on; returns how the game
    // ended, or Playing.
    WayOut run() {
        if (app::takeCloseRequest()) {
            const WayOut out = askBeforeClosing();
            upBefore_ = false;
            return out;
        }
        // One key per frame.
        const int key = app::takeKey();
        // A timed game pauses when the player turns to another window.
        const bool focusLost = app::takeFocusLoss();
        if (GameState.mode == board::GameMode::Timed &&
            (key == ALLEGRO_KEY_ESCAPE || key == ALLEGRO_KEY_P || focusLost ||
             InputState.buttons == app::kRightButton)) {
            pauseScreen();
            upBefore_ = false; // the press that ended the pause is no click
        }

        // The frames the last present stood for: one, unless the display held it.
        clockTicks(ticks_);
        if (GameState.clockBar > kClockSteps - 1) {
            app::stopAllCues();
            GameState.clockBar = 0;
            timeUp();
            return WayOut::TimeUp;
        }

        app::pollInput();
        updateBoardFrame();
        // A click made while the board moved was aimed at nothing the player saw: it
        // drops the half-made pair, and the click that would have ended it goes too.
        int droppedX = 0;
        int droppedY = 0;
        if (app::takeDroppedClick(droppedX, droppedY)) {
            dropHalfPair(droppedX, droppedY);
        }
        if (InputState.x != pointerX_ || InputState.y != pointerY_) {
            cursor_.hide(); // the player took the mouse
            pointerX_ = InputState.x;
            pointerY_ = InputState.y;
        }
        const bool pressed = InputState.buttons == app::kLeftButton;
        if (isCell(InputState.hover) && pressed) {
            GameState.selectedCell = InputState.hover;
            dragSwap(upBefore_);
        } else if (pressed) {
            clickCell(0); // a press anywhere off the cells drops a picked cell
        }
        // After a drag the button is up again.
        upBefore_ = InputState.buttons == 0;
        if (!pressed) {
            cursor_.serveKey(key);
        }
        {
            app::During moving(app::Moment::Animating);
            board::resolveLines();
        }
        board::findMove();

        if (GameState.stars == board::kStarsPerLevel && GameState.level <= board::kLevels) {
            completeLevel();
            upBefore_ = false; // the press on "Dalej" is no click on the new board
            // The new board starts with nothing picked and the cursor back in its corner.
            GameState.pickedCell = 0;
            cursor_.reset();
            GameState.clockBar = 0;
            // Nothing pressed during the level's end, nor a focus lost then, reaches the
            // new level.
            app::forgetKeys();
            app::takeFocusLoss();
        }
        if (GameState.level == board::kLevels + 1) {
            // The game is over: a close now quits as anywhere else, and the name entry
            // keeps the result.
            app::AskBeforeClosing closeAtOnce(false);
            finalScreen();
            app::OnRescale recompose(drawFinalScreen);
            GameState.nameEntryDue = 1;
            records::nameEntry(saves::discardStoredGame);
            return WayOut::LastPlanet;
        }

        if (GameState.noMoves == 1) {
            app::During moving(app::Moment::Animating);
            board::replaceRandomElement();
            GameState.noMoves = 0;
        }
        updateHintButton();
        if (key == ALLEGRO_KEY_H) {
            showHint();
        }
        drawPick();
        cursor_.draw();

        WayOut out = serveButtonRow(key);
        if (out != WayOut::Playing) {
            return out;
        }
        ticks_ = frames_.next(showChanges() ? 1 : framesToNextChange());
        return WayOut::Playing;
    }

  private:
    // Shows the frame when anything the game screen draws from changed: the game's state
    // (its clock's count aside), the lit button, the buttons, the window. Returns whether
    // the next frame must come at once: something changed, a key waits (one is taken a
    // frame), or the window's close waits for the game to ask.
    bool showChanges() {
        board::GameStateRecord now = GameState;
        now.clockTicks = shownState_.clockTicks;
        // Only the panel's buttons light under the pointer: a pointer crossing the cells
        // changes nothing on the picture.
        const int hover = isButton(InputState.hover) ? InputState.hover : 0;
        const bool changed = std::memcmp(&now, &shownState_, sizeof now) != 0 ||
                             !(cursor_ == shownCursor_) || hover != shownHover_ ||
                             InputState.buttons != shownButtons_ || app::takeWindowChange();
        if (changed) {
            app::showCanvas();
            shownState_ = GameState;
            shownCursor_ = cursor_;
            shownHover_ = hover;
            shownButtons_ = InputState.buttons;
        }
        return changed || app::keyWaiting() || app::closeWaiting();
    }

    // Frames until something can change with no input: the clock's next step; a relaxed
    // game looks again once a second.
    static int framesToNextChange() {
        const int step = framesToClockStep();
        return step > 0 ? std::min(step, kIdleFrames) : kIdleFrames;
    }

    // The panel's buttons, under the pointer or by their keys: H the hint (served with the
    // hint button), M the menu, Z the save button ("Zapisz").
    WayOut serveButtonRow(int key) {
        const int hover = InputState.hover;
        if (hover == 0) {
            onButton_ = false;
        } else if (isButton(hover)) {
            if (!onButton_) {
                app::playCue(app::SoundCue::Menu);
            }
            onButton_ = true;
        }
        // Over a cell the flag keeps its value. A glow is laid whole, never over itself,
        // so what else the pass draws (the clock's step) leaves it as it was; the one the
        // pointer left goes dark at once, however it left.
        if (hover == kHoverMenu || hover == kHoverSave || hover == 0 || litButton_ != 0) {
            lightPanelButton(hover);
        }
        litButton_ = hover == kHoverMenu || hover == kHoverSave ? hover : 0;

        const bool click = InputState.buttons == app::kLeftButton;
        if ((click && hover == kHoverMenu) || key == ALLEGRO_KEY_M) {
            keepBoardInScreenBuffer();
            return WayOut::MenuButton;
        }
        // Z for "zapis", S for "save".
        if ((click && hover == kHoverSave) || key == ALLEGRO_KEY_Z || key == ALLEGRO_KEY_S) {
            app::AskBeforeClosing closeAtOnce(false);
            if (saves::saveDialog(saves::EscapeInQuestion::Ignored) == saves::SaveEnd::GameGoesOn) {
                upBefore_ = false;
                return WayOut::Playing;
            }
            return WayOut::SaveButton;
        }
        return WayOut::Playing;
    }

    bool onButton_ = false; // the pointer was on the hint, menu or save button
    int litButton_ = 0;     // the menu or save button whose glow shows, 0 for none
    // No button was held at this loop's last poll. Only a press the loop saw begin can be a
    // click on a cell: the press that chose the game in the menu, ended the pause or
    // closed a completed level is still reported by the next poll.
    bool upBefore_ = false;
    app::FrameClock frames_;
    int ticks_ = 1;
    board::GameStateRecord shownState_{};
    int shownHover_ = -1;
    int shownButtons_ = -1;
    BoardCursor cursor_;
    BoardCursor shownCursor_;
    int pointerX_ = -1; // where the pointer was when the cursor was last hidden
    int pointerY_ = -1;
};

void leaveGame() {
    board::resetGame();
}
} // namespace

void gameLoop() {
    setUpGame();
    app::OnRescale recompose(drawGameScreen);
    app::AskBeforeClosing ask;
    Frame frame;
    while (frame.run() == WayOut::Playing) {
    }

    // What the game did not take is not the menu's.
    app::forgetKeys();
    leaveGame();
}

} // namespace play
