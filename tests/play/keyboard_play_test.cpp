#include "app/assets.hpp"
#include "app/input.hpp"
#include "board/board_setup.hpp"
#include "board/game_state.hpp"
#include "board/rules_fixture.hpp"
#include "game/menu_actions.hpp"
#include "play/game_loop.hpp"
#include "play_fixture.hpp"
#include "support/frame_script.hpp"

#include <cstdlib>
#include <string>
#include <vector>

namespace {

using board::GameState;

constexpr const char* kPause = "P a u z a";
constexpr const char* kSaveQuestion = "Czy zapisać stan gry?";
constexpr standin::Rgba kCursorColour{120, 220, 255, 255};
constexpr standin::Rgba kHintColour{44, 133, 166, 255};

class KeyboardPlay : public playtest::PlayTest {
  protected:
    void SetUp() override {
        PlayTest::SetUp();
        std::srand(20240611);
    }

    // From the flip after the set-up's last step (the level number drawn a second time)
    // every flip ends a loop frame; the script's steps count from there.
    static support::FrameScript inLoop() {
        support::FrameScript script;
        script.from([] {
            const app::Rect digit = app::sheet::kDigit1;
            return sheetPieces(-1, digit.y, digit.w, digit.h).size() >= 2;
        });
        return script;
    }

    // Runs a game with `script`; the M key at `leaveAt` goes back to the menu.
    static void play(support::FrameScript script, int leaveAt) {
        script.at(leaveAt, [] { standin::pressKey(ALLEGRO_KEY_M, 'm'); });
        driver::giveUpAfter(script).install();
        play::gameLoop();
        game::returnToMenu(); // as the menu item does
    }

    static void keys(int keycode, int times = 1) {
        for (int i = 0; i < times; ++i) {
            standin::pressKey(keycode, keycode == ALLEGRO_KEY_SPACE ? ' ' : 0);
        }
    }

    // The cell the last cursor frame was drawn on, 0 when none was drawn; and how many
    // were drawn so far.
    static int cursorCell() {
        int cell = 0;
        for (const auto& s : standin::log().shapes) {
            if (s.shape == standin::Shape::Rectangle && standin::rgba(s.colour) == kCursorColour) {
                const int column = static_cast<int>(s.x1 - board::kBoardX) / board::kPitch + 1;
                const int row = static_cast<int>(s.y1 - board::kBoardY) / board::kPitch + 1;
                cell = (row - 1) * board::kSide + column;
            }
        }
        return cell;
    }
    static int cursorFrames() {
        int count = 0;
        for (const auto& s : standin::log().shapes) {
            count +=
                s.shape == standin::Shape::Rectangle && standin::rgba(s.colour) == kCursorColour;
        }
        return count;
    }

    static std::vector<int> board() {
        return {GameState.cellKind + 1, GameState.cellKind + board::kCells + 1};
    }
};

TEST_F(KeyboardPlay, TheCursorStartsTopLeftOnTheFirstKeyStopsAtTheEdgesAndHidesWhenTheMouseMoves) {
    std::vector<int> seen;
    int framesWhenHidden = -1;
    const auto note = [&] { seen.push_back(cursorCell()); };
    auto script = inLoop();
    script.at(5, note)
        .at(6, [] { keys(ALLEGRO_KEY_LEFT), keys(ALLEGRO_KEY_UP); })
        .at(20, note)
        .at(21, [] { keys(ALLEGRO_KEY_RIGHT, 9), keys(ALLEGRO_KEY_DOWN, 2); })
        .at(70, note)
        .mouseAt(71, 30, 30, 0)
        .at(80, [&] { framesWhenHidden = cursorFrames(); })
        .at(100, [&] { seen.push_back(cursorFrames() - framesWhenHidden); })
        .at(101, [] { keys(ALLEGRO_KEY_UP); })
        .at(110, note);
    play(script, 120);
    // Nothing before a key; Left and Up at the corner stay there; nine Rights stop at the
    // right edge, two Downs reach row 3; none drawn once the mouse moved; the next key
    // shows it again where it was, and moves it.
    EXPECT_EQ(seen, (std::vector<int>{0, 1, 24, 0, 16}));
}

// The same move made by a drag and by the keys: the same slide, the same line scored,
// the same board after; a key swap that makes no line slides back with the refusal cue.
TEST_F(KeyboardPlay, AKeySwapIsTheSwapADragMakesAndARefusedOneSlidesBack) {
    struct Run {
        int score = 0;
        std::vector<int> board;
        std::vector<std::string> cues;
    };
    const auto run = [this](bool byKeys) {
        SetUp();
        Run r;
        auto script = inLoop();
        script.at(3, [] {
            support::givenBoard(boardtest::kLastRowMove);
            std::srand(5);
        });
        if (byKeys) {
            script.at(5, [] { keys(ALLEGRO_KEY_DOWN, 7), keys(ALLEGRO_KEY_RIGHT, 6); }).at(60, [] {
                keys(ALLEGRO_KEY_SPACE), keys(ALLEGRO_KEY_RIGHT);
            });
        } else {
            const board::Pixel c63 = board::cellPixel(7, 8), c64 = board::cellPixel(8, 8);
            script.mouseAt(60, c63.x + 20, c63.y + 20, app::kLeftButton)
                .mouseAt(63, c64.x + 20, c64.y + 20, app::kLeftButton)
                .mouseAt(66, c64.x + 20, c64.y + 20, 0);
        }
        script.at(400, [&] {
            r.score = GameState.score;
            r.board = board();
            for (const auto& p : standin::log().plays) {
                r.cues.push_back(p.path);
            }
        });
        play(script, 410);
        return r;
    };
    const Run drag = run(false);
    const Run keyed = run(true);
    EXPECT_GT(drag.score, 0);
    EXPECT_EQ(keyed.score, drag.score);
    EXPECT_EQ(keyed.board, drag.board);
    EXPECT_EQ(keyed.cues, drag.cues);

    SetUp();
    std::vector<int> before, after;
    int picked = -1;
    auto script = inLoop();
    script.at(3, [&] {
        support::givenBoard(boardtest::kLastRowMove);
        before = board();
    });
    script.at(5, [] { keys(ALLEGRO_KEY_SPACE), keys(ALLEGRO_KEY_RIGHT); }).at(200, [&] {
        after = board();
        picked = GameState.pickedCell;
    });
    play(script, 210);
    EXPECT_EQ(after, before);
    EXPECT_EQ(picked, 0) << "the pick goes with the swap";
    EXPECT_EQ(standin::playsOf("sam/take.wav").size(), 1u);
}

// H, M and Z are the panel's buttons: the hint shows, the game goes back to the menu, the
// save question comes (and N answers it).
TEST_F(KeyboardPlay, HShowsTheHintMLeavesForTheMenuAndZAsksToSave) {
    auto script = inLoop();
    script.at(3, [] { support::givenBoard(boardtest::kLastRowMove); }).at(5, [] {
        keys(ALLEGRO_KEY_H);
    });
    play(script, 300);
    int hints = 0;
    for (const auto& s : standin::log().shapes) {
        hints += s.x1 == 626 && s.y1 == 422 && standin::rgba(s.colour) == kHintColour;
    }
    EXPECT_GT(hints, 0) << "the hint blinked";
    EXPECT_FALSE(standin::textsWith("Nowa gra").empty()) << "M went back to the menu";

    // Z ("zapis") and S ("save") both ask to store the game.
    for (const int saveKey : {ALLEGRO_KEY_Z, ALLEGRO_KEY_S}) {
        SetUp();
        answerOnce(kSaveQuestion, [] { standin::pressKey(ALLEGRO_KEY_N, 'n'); });
        auto save = inLoop();
        save.at(5, [saveKey] { keys(saveKey); });
        driver::giveUpAfter(save).install();
        play::gameLoop();
        game::returnToMenu();
        EXPECT_EQ(standin::textsWith(kSaveQuestion).size(), 1u);
        EXPECT_FALSE(standin::textsWith("Nowa gra").empty());
    }
}

// The timed game pauses for P and Escape and when its window loses the focus; Escape,
// P, Space and Enter end the pause as a mouse button does. The relaxed game never pauses.
TEST_F(KeyboardPlay, PEscapeAndTheLostFocusPauseATimedGameAndItsKeysEndThePause) {
    for (const int mode : {board::GameMode::Relaxed, board::GameMode::Timed}) {
        SCOPED_TRACE(mode);
        SetUp();
        GameState.mode = mode;
        std::vector<int> ends{ALLEGRO_KEY_ESCAPE, ALLEGRO_KEY_P, ALLEGRO_KEY_SPACE,
                              ALLEGRO_KEY_ENTER};
        std::size_t plates = 0;
        standin::setRestDriver([&](double) {
            const auto shown = standin::textsWith(kPause);
            if (shown.size() > plates && !ends.empty()) {
                plates = shown.size();
                keys(ends.front());
                ends.erase(ends.begin());
            }
        });
        auto script = inLoop();
        script.at(5, [] { keys(ALLEGRO_KEY_P); })
            .at(30, [] { keys(ALLEGRO_KEY_ESCAPE); })
            .at(60, [] { standin::switchOutWindow(); })
            .at(90, [] { keys(ALLEGRO_KEY_P); });
        play(script, 120);
        const bool timed = mode == board::GameMode::Timed;
        EXPECT_EQ(standin::textsWith(kPause).size(), timed ? 4u : 0u);
        EXPECT_EQ(ends.empty(), timed) << "each pause ended by one of its keys";
    }
}

// Enter answers "Dalej"; the next level's board starts with nothing picked (a pick made
// as the eighth star dropped is not kept) and the cursor back, hidden, top left.
TEST_F(KeyboardPlay, EnterContinuesToTheNextLevelWithNoPickAndTheCursorTopLeft) {
    answerOnce("MERKURY - ", [] { keys(ALLEGRO_KEY_ENTER); });
    int level = 0, picked = -1, cursor = -1;
    auto script = inLoop();
    script.at(3, [] { keys(ALLEGRO_KEY_RIGHT); })
        .at(10,
            [] {
                GameState.pickedCell = 10;
                GameState.stars = 8;
            })
        .at(2000,
            [&] {
                level = GameState.level;
                picked = GameState.pickedCell;
                standin::log().shapes.clear();
            })
        .at(2010, [&] { cursor = cursorCell(); })
        .at(2011, [] { keys(ALLEGRO_KEY_DOWN); })
        .at(2020, [&] { cursor = cursor * 100 + cursorCell(); });
    play(script, 2030);
    EXPECT_EQ(level, 2);
    EXPECT_EQ(picked, 0);
    EXPECT_EQ(cursor, 9) << "hidden, then one row down from the top-left cell";
}

} // namespace
