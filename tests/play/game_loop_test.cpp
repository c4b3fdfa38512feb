#include "app/assets.hpp"
#include "app/events.hpp"
#include "app/input.hpp"
#include "app/pacing.hpp"
#include "board/board_setup.hpp"
#include "board/game_state.hpp"
#include "board/move_search.hpp"
#include "board/scoring.hpp"
#include "game/main_menu.hpp"
#include "game/menu_actions.hpp"
#include "play/game_loop.hpp"
#include "play_fixture.hpp"
#include "records/fixture.hpp"
#include "records/high_scores.hpp"
#include "saves/save_index.hpp"
#include "support/frame_script.hpp"
#include "support/glow.hpp"

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <stdexcept>
#include <tuple>
#include <vector>

namespace {

using board::GameState;

// Places on the game screen; cell 36 is row 5, column 4.
constexpr int kMenuX = 90, kMenuY = 560, kSaveX = 250, kSaveY = 560, kHintX = 170, kHintY = 450;
constexpr int kEmptyX = 30, kEmptyY = 30, kCell36X = 500, kCell36Y = 300;
constexpr int kFadeOutFlips = 128, kFadeInFlips = 45;
constexpr const char* kPause = "P a u z a";

class GameLoop : public playtest::PlayTest {
  protected:
    void SetUp() override {
        PlayTest::SetUp();
        loopStart_ = -1;
        std::srand(20240611);
    }

    // The set-up draws the level number as it composes the screen and again as its last
    // step: from the flip after that, every flip ends a loop frame.
    static bool looping() {
        const app::Rect digit = app::sheet::kDigit1;
        return sheetPieces(-1, digit.y, digit.w, digit.h).size() >= 2;
    }

    // The steps added to the returned script count loop frames: `step(k)` places one at the
    // flip that ends loop frame k (1-based), however long the set-up took.
    support::FrameScript inLoop(support::FrameScript script = {}) {
        script.from(looping).at(0, [this] { loopStart_ = standin::log().flips; });
        return script;
    }
    static constexpr int step(int k) { return k - 1; }

    // The flip that ended loop frame k, for the checks after a run; while no animation
    // has flipped.
    int frame(int k) const { return loopStart_ + k - 1; }

    // Runs a game with `script`, leaving through the menu button at `leaveAt` when given:
    // onto it then, pressed three frames later.
    static void play(support::FrameScript script, int leaveAt = 0) {
        if (leaveAt != 0) {
            script.mouseAt(leaveAt, kMenuX, kMenuY, 0);
            script.mouseAt(leaveAt + 3, kMenuX, kMenuY, app::kLeftButton);
        }
        driver::giveUpAfter(script).install();
        play::gameLoop();
        game::returnToMenu(); // as the menu item does
    }

    static int cues(const char* path) { return static_cast<int>(standin::playsOf(path).size()); }
    static int pausePlates() { return static_cast<int>(standin::textsWith(kPause).size()); }

    // A pause that waits for a press made while it shows is ended by a left click on
    // nothing, the buttons held before let go first.
    static void clickToEndPauses() {
        standin::setRestDriver([](double) {
            const auto plates = standin::textsWith(kPause);
            if (!plates.empty() && plates.back().frame == standin::log().flips - 1) {
                standin::setMouse(kEmptyX, kEmptyY, 0);
                standin::setMouse(kEmptyX, kEmptyY, app::kLeftButton);
            }
        });
    }

    // Every way out ends so: the game reset, the screen faded out and the menu composed and
    // faded in, the music stopped, and the canvas as the target.
    static void expectBackInTheMenu() {
        const auto& g = GameState;
        EXPECT_EQ(std::tuple(g.score, g.level, g.stars, g.kindProgress[2], g.clockBar),
                  std::tuple(0, 1, 0, 0, 0));
        int fades = 0; // tinted whole-screen draws onto the canvas
        for (const auto& d : standin::drawsOf(app::Assets.screen)) {
            fades += d.sw == al_get_bitmap_width(app::Assets.screen) && d.tinted &&
                     d.target == app::Assets.canvas;
        }
        EXPECT_GE(fades, kFadeOutFlips + kFadeInFlips);
        auto titles = standin::textsWith("Nowa gra");
        ASSERT_FALSE(titles.empty()) << "the menu was not composed";
        EXPECT_GE(titles.back().frame, standin::log().flips - kFadeInFlips - 1);
        EXPECT_EQ(al_get_target_bitmap(), app::Assets.canvas);
        EXPECT_FALSE(app::Assets.music != nullptr && app::Assets.music->playing);
    }

    // The main menu composed for the n-th time and its loop running: each of its frames
    // restores the items' region from the screen buffer.
    static std::function<bool()> menuRunning(std::size_t n) {
        return [n] {
            const auto titles = standin::textsWith("Nowa gra");
            if (titles.size() != n) {
                return false;
            }
            for (const auto& d : standin::drawsOf(app::Assets.screen)) {
                if (d.sx == 285 && d.sy == 170 && d.frame >= titles.back().frame) {
                    return true;
                }
            }
            return false;
        };
    }

    int loopStart_ = -1; // the flip that ended loop frame 1
};

TEST_F(GameLoop, NewGameFromTheMenuPlaysAndTheMenuButtonKeepsTheBoardForTheFadeOut) {
    saves::currentSaveName = "stary";
    GameState.resumedGame = 1;
    app::Settings.musicVolume = 0.7f;
    // "Nowa gra" is clicked once the menu takes input; the game starts two polls later.
    support::FrameScript menu;
    menu.from(menuRunning(1)).mouseAt(0, 400, 190, app::kLeftButton);
    auto script = inLoop(menu);
    bool wasPlaying = false;
    script.at(step(20), [&] {
        wasPlaying = app::Assets.music->playing;
        EXPECT_FLOAT_EQ(app::Assets.music->gain, 0.7f);
        EXPECT_EQ(GameState.resumedGame, 0);
        EXPECT_TRUE(saves::currentSaveName.empty());
        standin::setMouse(kMenuX, kMenuY, 0);
    });
    script.mouseAt(step(23), kMenuX, kMenuY, app::kLeftButton);
    // Back in the menu once it takes input again: leave it.
    script.from(menuRunning(2)).mouseAt(0, 400, 420, 0).mouseAt(1, 400, 420, app::kLeftButton);
    driver::giveUpAfter(script).install();
    game::mainMenu();
    const int left = frame(23);
    EXPECT_TRUE(wasPlaying) << "the music plays during the game";
    EXPECT_EQ(standin::textsWith("Nowa gra").size(), 2u) << "the menu was composed again";
    int cellsIntoScreen = 0;
    for (const auto& d : sprites(app::Assets.screen)) {
        cellsIntoScreen += d.frame >= left;
    }
    EXPECT_EQ(cellsIntoScreen, 64) << "the board is stored into the screen buffer";
    EXPECT_EQ(GameState.nameEntryDue, 0) << "leaving by the menu asks for no name";
}

// "Nowa gra" lies over cell 10 of the board that follows: the press that chose it, still
// reported by the game's first poll and released there, is no click on the cell.
TEST_F(GameLoop, ThePressThatChoseTheGameIsNoClickOnTheCellUnderIt) {
    int picked = -1;
    support::FrameScript menu;
    menu.from(menuRunning(1)).mouseAt(0, 400, 190, app::kLeftButton);
    auto script = inLoop(menu);
    script.mouseAt(step(3), 400, 190, 0)
        .at(step(10), [&] { picked = GameState.pickedCell; })
        .mouseAt(step(12), kMenuX, kMenuY, 0)
        .mouseAt(step(15), kMenuX, kMenuY, app::kLeftButton)
        .from(menuRunning(2))
        .mouseAt(0, 400, 420, 0)
        .mouseAt(1, 400, 420, app::kLeftButton);
    driver::giveUpAfter(script).install();
    game::mainMenu();
    EXPECT_EQ(picked, 0);
}

// A stored timed game resumed while the options say relaxed times out against the timed
// list, whichever list the options' mode would pick.
TEST_F(GameLoop, AResumedGameIsJudgedAgainstTheListOfItsOwnMode) {
    const std::string full = records::encodeListText(fixture::repeat("Ola 8 5000 ", 20));
    for (const char* fullList : {"lic.txt", "lir.txt"}) {
        SCOPED_TRACE(fullList);
        SetUp();
        std::filesystem::remove("lic.txt");
        std::filesystem::remove("lir.txt");
        folder.write(fullList, full);
        folder.write("gra",
                     fixture::repeat("2 ", 64) + fixture::repeat("0 ", 13) + "1 0 500 0 400 1 1 1");
        GameState.mode = board::GameMode::Relaxed;
        GameState.resumedGame = 1;
        saves::currentSaveName = "gra";
        answerNameEntry();
        play(support::FrameScript{});
        const bool timedListFull = std::string(fullList) == "lic.txt";
        EXPECT_EQ(standin::textsWith(playtest::kNamePrompt).empty(), timedListFull);
        EXPECT_EQ(folder.read("lic.txt") == full, timedListFull);
        EXPECT_FALSE(folder.exists("lir.txt") && folder.read("lir.txt") != full);
    }
}

TEST_F(GameLoop, TheMenuAndSaveButtonsResetTheGameAndReturnToTheMenu) {
    for (const bool save : {false, true}) {
        SCOPED_TRACE(save ? "save, answered NIE" : "menu");
        SetUp();
        auto script = inLoop();
        script.at(step(3), [] {
            GameState.score = 4200;
            GameState.kindProgress[2] = 40;
        });
        if (save) {
            script.mouseAt(step(5), kSaveX, kSaveY, 0).mouseAt(step(8), kSaveX, kSaveY, 1);
            answerOnce("Czy zapisać stan gry?", [] {
                standin::setMouse(670, 570, 0); // the save button's press let go
                standin::setMouse(670, 570, app::kLeftButton);
            });
        }
        play(script, save ? 0 : step(5));
        EXPECT_EQ(standin::textsWith("Czy zapisać stan gry?").empty(), !save);
        EXPECT_EQ(cues("sam/menu.wav"), 1) << "the hover sound of the button";
        expectBackInTheMenu();
    }
}

TEST_F(GameLoop, TheTimeOutComesAfter316StepsStopsTheCuesAndAsksForTheName) {
    GameState.mode = board::GameMode::Timed;
    answerNameEntry();
    int loopsAtTimeUp = -1, barAtTimeUp = -1;
    double resetAt = -1, step300At = -1;
    // Just before the last step the mouse goes onto a cell with the button down: the poll
    // of the time-out's frame must never run.
    standin::setFrameDriver([&](int flips) {
        if (loopStart_ < 0 && looping()) {
            loopStart_ = flips;
        }
        if (GameState.clockBar == 315 && GameState.clockTicks == 640) {
            standin::setMouse(kCell36X, kCell36Y, app::kLeftButton);
        }
        if (loopStart_ >= 0 && flips == frame(5)) {
            GameState.score = 1234;
            GameState.clockBar = 299;
            GameState.clockTicks = 0;
            resetAt = standin::log().clock;
        }
        if (GameState.clockBar == 300 && step300At < 0) {
            step300At = standin::log().clock;
        }
        if (cues("sam/brakczasu.wav") == 1 && loopsAtTimeUp < 0) {
            loopsAtTimeUp = standin::activeLoops();
            barAtTimeUp = GameState.clockBar;
        }
        if (resetAt >= 0 && cues("sam/brakczasu.wav") == 0 &&
            standin::log().clock > resetAt + 20 * 641 * app::kNominalFrame) {
            throw std::runtime_error("no time-out");
        }
    });
    play::gameLoop();
    game::returnToMenu();
    EXPECT_EQ(cues("sam/time.wav"), 1) << "the warning loop starts once, at step 300";
    ASSERT_EQ(cues("sam/brakczasu.wav"), 1);
    EXPECT_EQ(loopsAtTimeUp, 0) << "the warning loop was stopped before the time-out cue";
    EXPECT_EQ(barAtTimeUp, 0);
    // 16 steps of 641 frames from step 300 (the script set the clock back while the loop
    // slept towards step 300, so that one came early).
    EXPECT_NEAR(standin::playsOf("sam/brakczasu.wav")[0].time - step300At,
                16 * 641 * app::kNominalFrame, 1.5 * app::kNominalFrame);
    EXPECT_NE(app::InputState.x, kCell36X) << "the frame of the time-out polled the mouse";
    EXPECT_EQ(sheetPieces(app::sheet::kTimeOut).size(), 1u) << "the time-out picture";
    EXPECT_FALSE(standin::textsWith("Ala").empty()) << "1234 beats the empty place 20";
    expectBackInTheMenu();
}

TEST_F(GameLoop, TheLastPlanetEndsTheGameInTheFrameItIsCompleted) {
    auto script = inLoop();
    script.at(step(5), [] {
        GameState.level = GameState.stars = 8;
        GameState.score = 31000;
    });
    // The continue button of the level completion: pressed while the board dissolves it
    // does nothing; pressed once it shows, it ends the level.
    script.mouseAt(step(5) + 300, 530, 400, app::kLeftButton)
        .from([] { return !standin::textsWith("NEPTUN - ").empty(); })
        .mouseAt(5, 530, 400, 0)
        .mouseAt(6, 530, 400, app::kLeftButton);
    answerNameEntry();
    play(script);
    EXPECT_EQ(standin::textsWith("NEPTUN - ").size(), 2u) << "Neptune's text came first";
    EXPECT_EQ(standin::textsWith("w grze zdobyłeś  31000  punktów").size(), 2u);
    EXPECT_EQ(GameState.nameEntryDue, 0) << "the list screen ends the entry's cycle";
    // Every loop frame with nothing hovered erases the button row: none ran after.
    for (const auto& d : standin::drawsOf(app::Assets.screen)) {
        EXPECT_FALSE(d.sx == 36 && d.sy == 547 && d.frame >= frame(5)) << "a frame after";
    }
    expectBackInTheMenu();
}

TEST_F(GameLoop, AButtonIsLitWhileHoveredAndSoundsOncePerEntryOntoTheRow) {
    auto script = inLoop();
    script
        .mouseAt(step(5), kSaveX, kSaveY, 0)      // onto save: a sound
        .mouseAt(step(10), kEmptyX, kEmptyY, 0)   // nothing hovered clears the flag
        .mouseAt(step(15), kHintX, kHintY, 0)     // onto the hint: a sound
        .mouseAt(step(20), kCell36X, kCell36Y, 0) // straight onto a cell: flag kept
        .mouseAt(step(25), kHintX, kHintY, 0);    // back onto the hint: no sound
    play(script, step(35));                       // from the hint straight onto menu
    EXPECT_EQ(cues("sam/menu.wav"), 2);
    // Moved after frame 5, seen by the poll of frame 6: lit until the move after frame
    // 10 is seen, then the row is erased.
    std::vector<int> lit;
    for (const auto& d : sheetPieces(app::sheet::kSaveButtonFace)) {
        lit.push_back(d.frame);
    }
    ASSERT_FALSE(lit.empty());
    EXPECT_EQ(lit.front(), frame(6) - 1);
    EXPECT_LE(lit.back(), frame(11) - 1);
    int erasures = 0;
    for (const auto& d : standin::drawsOf(app::Assets.screen)) {
        erasures += d.sx == 36 && d.sy == 547 && d.sw == 276 && d.frame > lit.back() &&
                    d.frame <= frame(12);
    }
    EXPECT_GE(erasures, 1) << "the row is erased when nothing is hovered";
}

// A lit button shows the glow its copies laid pass after pass settle at, in every picture
// from the first, however the pointer moves on it and whatever else the pass draws (the
// timed game's clock); the button the pointer leaves is dark in the next picture, even
// when the pointer went straight onto the other button or the hint.
TEST_F(GameLoop, AButtonsGlowIsSettledInEveryPictureAndGoesDarkTheMomentThePointerLeaves) {
    for (const int mode : {board::GameMode::Relaxed, board::GameMode::Timed}) {
        SCOPED_TRACE(mode);
        SetUp();
        GameState.mode = mode;
        auto script = inLoop();
        script.mouseAt(step(5), kSaveX, kSaveY, 0)
            .mouseAt(step(8), kSaveX + 20, kSaveY + 5, 0) // moving on it
            .mouseAt(step(12), kMenuX, kMenuY, 0)         // straight onto the menu button
            .mouseAt(step(16), kHintX, kHintY, 0);        // and on to the hint
        play(script, step(400));
        const auto glow = [](int f, app::Rect face) {
            return support::glowShown(f, app::Assets.sheet, {face.x, face.y}, app::Assets.screen,
                                      {36, 547});
        };
        int settledSave = 0, settledMenu = 0;
        for (const int f : support::presentedFrames()) {
            // A move at step k is shown by the picture of frame k.
            if (f < frame(5) || f >= frame(20)) {
                continue;
            }
            const auto save = glow(f, app::sheet::kSaveButtonFace);
            const auto menu = glow(f, app::sheet::kMenuButtonFace);
            if (f < frame(12)) {
                EXPECT_TRUE(support::settledLook(save)) << "flip " << f << ": " << save.layers;
                EXPECT_EQ(menu.layers, 0);
                ++settledSave;
            } else if (f < frame(16)) {
                EXPECT_EQ(save.layers, 0) << "the save button left lit at flip " << f;
                EXPECT_TRUE(support::settledLook(menu)) << "flip " << f;
                ++settledMenu;
            } else {
                EXPECT_EQ(save.layers + menu.layers, 0) << "a glow left on the hint, flip " << f;
            }
        }
        EXPECT_GE(settledSave, mode == board::GameMode::Timed ? 2 : 1)
            << "shown as the pointer came, and again by the clock's steps";
        EXPECT_GE(settledMenu, 1);
    }
}

// A key an earlier screen left untaken (here an Escape typed after a password) is not the
// game's: it never pauses a new game. A held right button pauses once: the pause waits
// for a press made while it shows.
TEST_F(GameLoop, EscapeAndTheRightButtonPauseOnlyTheTimedGameAndAnEarlierScreensKeyNever) {
    for (const int mode : {board::GameMode::Relaxed, board::GameMode::Timed}) {
        SCOPED_TRACE(mode);
        SetUp();
        GameState.mode = mode;
        standin::pressKey(ALLEGRO_KEY_ESCAPE, app::kEscape);
        app::takeEvents();
        auto script = inLoop();
        script.at(step(1), [] { standin::pressKey(ALLEGRO_KEY_A, 'a'); })
            .at(step(5), [] { standin::pressKey(ALLEGRO_KEY_ESCAPE, app::kEscape); })
            .mouseAt(step(20), kEmptyX, kEmptyY, app::kRightButton)
            .mouseAt(step(40), kEmptyX, kEmptyY, 0);
        clickToEndPauses();
        play(script, step(60));
        if (mode == board::GameMode::Relaxed) {
            EXPECT_EQ(pausePlates(), 0);
        } else {
            EXPECT_EQ(pausePlates(), 2) << "one pause for Escape, one for the right button";
            EXPECT_GE(standin::textsWith(kPause)[0].frame, frame(5)) << "not paused before Escape";
        }
    }
}

TEST_F(GameLoop, EscapePausesBeforeTheClockTicksAndThePressThatEndsItStartsADrag) {
    GameState.mode = board::GameMode::Timed;
    auto script = inLoop();
    // Escape comes when the clock is one tick short of its step: the frame that takes it
    // is the one in which the clock is due to step.
    script.at(step(5), [] {
        GameState.clockTicks = 640;
        standin::pressKey(ALLEGRO_KEY_ESCAPE, app::kEscape);
    });
    int clockTicksDuringPause = -1;
    standin::setRestDriver([&](double) {
        if (pausePlates() == 1 && clockTicksDuringPause < 0) {
            clockTicksDuringPause = GameState.clockTicks;
            standin::setMouse(kCell36X, kCell36Y, app::kLeftButton);
        }
    });
    script.mouseAt(step(12), kCell36X, kCell36Y, 0);
    int picked = -1;
    script.at(step(40), [&] { picked = GameState.pickedCell; });
    play(script, step(100));
    ASSERT_EQ(pausePlates(), 1);
    EXPECT_EQ(clockTicksDuringPause, 640) << "the pause comes before the frame's tick";
    EXPECT_EQ(GameState.selectedCell, 36) << "the press that ended the pause started a drag";
    EXPECT_EQ(picked, 0) << "released where it was pressed, yet no click";
}

// In a window twice the picture's size every place is clicked at twice its coordinates:
// a click on cell 36 picks it (framed every frame after), a press off the cells drops
// it, a press that began off the cells and is released on one picks nothing, and the
// save and menu buttons light and leave as they do at 800 x 600.
TEST_F(GameLoop, AtTwiceTheSizeCellsAndButtonsAreHitWhereTheyAreSeenAndAClickPicksACell) {
    standin::resizeWindow(1600, 1200);
    app::presentNow();
    standin::log() = standin::Log{};
    const int cellX = 2 * kCell36X, cellY = 2 * kCell36Y, emptyX = 2 * kEmptyX,
              emptyY = 2 * kEmptyY;
    std::vector<int> picked;
    const auto note = [&] { picked.push_back(GameState.pickedCell); };
    auto script = inLoop();
    script.mouseAt(step(5), cellX, cellY, app::kLeftButton)
        .mouseAt(step(8), cellX, cellY, 0)
        .at(step(15), note)
        .mouseAt(step(20), emptyX, emptyY, app::kLeftButton)
        .mouseAt(step(23), emptyX, emptyY, 0)
        .at(step(28), note)
        .mouseAt(step(30), emptyX, emptyY, app::kLeftButton)
        .mouseAt(step(33), cellX, cellY, app::kLeftButton)
        .mouseAt(step(38), cellX, cellY, 0)
        .at(step(45), note)
        .mouseAt(step(50), 2 * kSaveX, 2 * kSaveY, 0)
        .mouseAt(step(55), 2 * kMenuX, 2 * kMenuY, 0)
        .mouseAt(step(58), 2 * kMenuX, 2 * kMenuY, app::kLeftButton);
    play(script);
    EXPECT_EQ(picked, (std::vector<int>{36, 0, 0}));
    int frames = 0; // the frame around cell 36, drawn again every loop frame
    for (const auto& d : standin::log().shapes) {
        frames += d.shape == standin::Shape::Rectangle && d.x1 == 491 && d.y1 == 287;
    }
    EXPECT_GE(frames, 10);
    EXPECT_FALSE(sheetPieces(app::sheet::kSaveButtonFace).empty()) << "the save button lit";
    EXPECT_EQ(standin::log().presented.back().dw, 1600);
    expectBackInTheMenu();
}

TEST_F(GameLoop, ABoardWithoutAMoveGetsOneElementReplacedInTheNextFrame) {
    // Kinds in diagonal stripes of period 4 leave no swap that lines up three.
    auto fillWithoutMoves = [] {
        for (int cell = 1; cell <= 64; ++cell) {
            GameState.cellKind[cell] = ((cell - 1) % 8 + 1 + 2 * ((cell - 1) / 8 + 1)) % 4 + 1;
        }
        board::rebuildGridFromCells();
    };
    fillWithoutMoves();
    board::findMove();
    ASSERT_EQ(GameState.noMoves, 1) << "the test board must have no move";
    int replacementsSeen = -1;
    auto script = inLoop();
    script.at(step(5), fillWithoutMoves);
    script.at(step(5) + 1, [&] { replacementsSeen = cues("sam/snd1.wav"); });
    play(script, step(200));
    EXPECT_GE(replacementsSeen, 1) << "the frame after the board lost its moves replaced one";
    EXPECT_EQ(GameState.noMoves, 0);
}

// A focus lost while the game is paused leaves nothing behind: the one click that ends
// the pause lets the game go on, with no second pause.
TEST_F(GameLoop, AFocusLostDuringThePauseLeavesNoSecondPause) {
    GameState.mode = board::GameMode::Timed;
    auto script = inLoop();
    script.at(step(5), [] { standin::pressKey(ALLEGRO_KEY_P, 'p'); });
    standin::setRestDriver([done = false](double) mutable {
        if (!done && pausePlates() == 1) {
            done = true;
            standin::switchOutWindow();
            standin::setMouse(kEmptyX, kEmptyY, app::kLeftButton);
        }
    });
    play(script, step(60));
    EXPECT_EQ(pausePlates(), 1);
}

// The window's close during a game asks what the save button asks, and the game goes on
// meanwhile; a second close while the question shows ends the program, storing nothing.
TEST_F(GameLoop, TheCloseDuringAGameAsksAndASecondCloseEndsItUnstored) {
    auto script = inLoop();
    script.at(step(5), [] { standin::clickWindowClose(); });
    answerOnce("Czy zapisać stan gry?", [] {
        std::fputs(GameState.level == 1 ? "asked during the game\n" : "", stderr);
        standin::clickWindowClose();
    });
    driver::giveUpAfter(script).install();
    EXPECT_EXIT(play::gameLoop(), ::testing::ExitedWithCode(0), "asked during the game");
    EXPECT_EQ(fixture::fileCount(folder), 0) << "nothing stored";
}

} // namespace
