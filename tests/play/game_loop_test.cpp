#include "app/assets.hpp"
#include "app/input.hpp"
#include "app/main_menu.hpp"
#include "board/board_setup.hpp"
#include "board/game_state.hpp"
#include "board/move_search.hpp"
#include "board/scoring.hpp"
#include "play/game_loop.hpp"
#include "play_fixture.hpp"
#include "saves/save_index.hpp"
#include "support/frame_script.hpp"

#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

using board::GameState;

// Places on the game screen.
constexpr int kMenuX = 90, kMenuY = 560;
constexpr int kSaveX = 250, kSaveY = 560;
constexpr int kHintX = 170, kHintY = 450;
constexpr int kEmptyX = 30, kEmptyY = 30;
constexpr int kCell36X = 500, kCell36Y = 300; // row 5, column 4
constexpr int kContinueX = 530, kContinueY = 400;

constexpr int kFadeOutFlips = 128;
constexpr int kFadeInFlips = 45;
constexpr int kGiveUp = 200000;

// The dialogs a game can end in, answered as a player would: once a prompt has been on
// screen for a few flips, the answer is given once. Runs on every rest, beside the
// frame script, because the dialogs run loops of their own.
class DialogAnswers {
  public:
    DialogAnswers& onPrompt(const char* prompt, std::function<void()> answer) {
        pending_->push_back({prompt, std::move(answer)});
        return *this;
    }
    void install() {
        auto pending = pending_;
        standin::setRestDriver([pending](double) {
            for (auto& [prompt, answer] : *pending) {
                const auto shown = standin::textsWith(prompt);
                if (answer && !shown.empty() && standin::log().flips - shown.back().frame > 20) {
                    auto once = std::move(answer);
                    answer = nullptr;
                    once();
                }
            }
        });
    }

  private:
    using Pending = std::vector<std::pair<std::string, std::function<void()>>>;
    std::shared_ptr<Pending> pending_ = std::make_shared<Pending>();
};

constexpr const char* kNamePrompt = "Wpisz swoje imię:";
constexpr const char* kSaveQuestion = "Czy zapisać stan gry?";
constexpr int kNoX = 670, kNoY = 570;             // "NIE" of the save question
constexpr int kListBackX = 400, kListBackY = 545; // back button of the list screen

// Types a short name and Enter, then leaves the list of results that follows.
void typeNameAndLeaveList() {
    for (int c : {'A', 'l', 'a'}) {
        standin::pressKey(ALLEGRO_KEY_A, c);
    }
    standin::pressKey(ALLEGRO_KEY_ENTER, 13);
    standin::setMouse(kListBackX, kListBackY, app::kLeftButton);
}

class GameLoop : public playtest::PlayTest {
  protected:
    void SetUp() override {
        PlayTest::SetUp();
        // The set-up of a game: fade-out, fade-in, the board cell by cell, then the
        // score lines, whose flips belong to the scoring step.
        const int before = standin::log().flips;
        board::scoreAward();
        scoreFlips_ = standin::log().flips - before;
        support::startHeadless();
        records::Options.effectsVolume = 1.0f;
        records::Options.musicVolume = 1.0f;
        standin::log() = standin::Log{};
        std::srand(20240611);
    }

    // The flip that ends loop frame k (1-based), while no animation has flipped.
    int frame(int k) const { return kFadeOutFlips + kFadeInFlips + 64 + scoreFlips_ + k; }

    // Runs a game with `script`; a game still running at kGiveUp flips is failed and
    // left through the menu button.
    void play(support::FrameScript script) {
        script.at(kGiveUp, [] { ADD_FAILURE() << "the game did not end"; })
            .mouseAt(kGiveUp, kMenuX, kMenuY, app::kLeftButton)
            .install();
        play::gameLoop();
    }

    // Leaves through the menu button: onto it at `k`, pressed three frames later.
    static support::FrameScript& leaveByMenu(support::FrameScript& s, int at) {
        return s.mouseAt(at, kMenuX, kMenuY, 0).mouseAt(at + 3, kMenuX, kMenuY, app::kLeftButton);
    }

    static int cues(const char* path) { return static_cast<int>(standin::playsOf(path).size()); }

    // What every way out ends with: the game reset, the screen faded out with the music,
    // the menu composed and faded in, and the display's back buffer as the target.
    static void expectBackInTheMenu() {
        EXPECT_EQ(GameState.score, 0);
        EXPECT_EQ(GameState.level, 1);
        EXPECT_EQ(GameState.stars, 0);
        EXPECT_EQ(GameState.kindProgress[2], 0);
        EXPECT_EQ(GameState.clockBar, 0);

        const auto& draws = standin::log().bitmaps;
        std::vector<int> fades; // tint alpha of whole-screen draws onto the display
        for (const auto& d : draws) {
            if (d.bitmap == app::Assets.screen && d.sw == 800 && d.tinted &&
                d.target == standin::backbuffer()) {
                fades.push_back(standin::rgba(d.tint).a);
            }
        }
        ASSERT_GE(fades.size(), 128u + 45u);
        // The last 45 are the fade-in of the menu, the 128 before them the fade-out.
        for (int i = 0; i < 45; ++i) {
            EXPECT_EQ(fades[fades.size() - 45 + i], i);
        }
        for (int i = 0; i < 128; ++i) {
            EXPECT_EQ(fades[fades.size() - 45 - 128 + i], 128 + i);
        }
        auto titles = standin::textsWith("Nowa gra");
        ASSERT_FALSE(titles.empty()) << "the menu was not composed";
        EXPECT_EQ(titles.back().target, app::Assets.screen);
        EXPECT_GE(titles.back().frame, standin::log().flips - kFadeInFlips - 1);
        EXPECT_EQ(al_get_target_bitmap(), standin::backbuffer());
        EXPECT_FALSE(app::Assets.music != nullptr && app::Assets.music->playing);
    }

    // Sheet draws of the save and menu highlights, by the flip they were made in.
    static std::vector<int> highlightFrames(int sy) {
        std::vector<int> out;
        for (const auto& d : standin::drawsOf(app::Assets.sheet)) {
            if (d.sx == 410 && d.sy == sy && d.sw == 102 && d.tinted) {
                out.push_back(d.frame);
            }
        }
        return out;
    }

    static int pausePlates() { return static_cast<int>(standin::textsWith("P a u z a").size()); }

    int scoreFlips_ = 0;
};

TEST_F(GameLoop, NewGameFromTheMenuShowsTheGameAndTheMenuButtonLeavesIt) {
    saves::currentSaveName = "stary";
    GameState.resumedGame = 1;
    records::Options.musicVolume = 0.7f;
    // The menu's fade-in, then "Nowa gra" is clicked; the game starts two polls later.
    const int menuFrames = kFadeInFlips + 3;
    support::FrameScript script;
    script.mouseAt(kFadeInFlips + 1, 400, 190, app::kLeftButton);
    bool wasPlaying = false;
    script.at(menuFrames + frame(20), [&] {
        wasPlaying = app::Assets.music->playing;
        EXPECT_FLOAT_EQ(app::Assets.music->gain, 0.7f);
        EXPECT_EQ(GameState.resumedGame, 0);
        EXPECT_TRUE(saves::currentSaveName.empty());
        EXPECT_EQ(standin::textsWith("Nowa gra").size(), 1u);
        standin::setMouse(kMenuX, kMenuY, 0);
    });
    script.mouseAt(menuFrames + frame(23), kMenuX, kMenuY, app::kLeftButton);
    // Back in the menu (the board into the screen buffer, fade-out, fade-in): leave it
    // through its last item.
    script.mouseAt(menuFrames + frame(23) + 64 + kFadeOutFlips + kFadeInFlips + 10, 400, 420,
                   app::kLeftButton);
    script.at(kGiveUp, [] { ADD_FAILURE() << "stuck"; });
    script.install();
    app::mainMenu();
    EXPECT_TRUE(wasPlaying) << "the music plays during the game";
    EXPECT_EQ(standin::textsWith("Nowa gra").size(), 2u) << "the menu was composed again";
    // The board was stored into the screen buffer before the fade-out, one flip a cell.
    int cellsIntoScreen = 0;
    for (const auto& d : sprites(app::Assets.screen)) {
        cellsIntoScreen += d.frame >= menuFrames + frame(23) ? 1 : 0;
    }
    EXPECT_EQ(cellsIntoScreen, 64);
    EXPECT_EQ(GameState.nameEntryDue, 0) << "leaving by the menu asks for no name";
}

TEST_F(GameLoop, TheMenuAndSaveButtonsResetTheGameAndReturnToTheMenu) {
    for (const bool save : {false, true}) {
        SCOPED_TRACE(save ? "save, answered NIE" : "menu");
        SetUp();
        support::FrameScript script;
        script.at(frame(3), [] {
            GameState.score = 4200;
            GameState.kindProgress[2] = 40;
        });
        if (save) {
            script.mouseAt(frame(5), kSaveX, kSaveY, 0).mouseAt(frame(8), kSaveX, kSaveY, 1);
            DialogAnswers()
                .onPrompt(kSaveQuestion, [] { standin::setMouse(kNoX, kNoY, app::kLeftButton); })
                .install();
        } else {
            leaveByMenu(script, frame(5));
        }
        play(script);
        EXPECT_EQ(standin::textsWith(kSaveQuestion).empty(), !save);
        EXPECT_EQ(cues("sam/menu.wav"), 1) << "the hover sound of the button";
        expectBackInTheMenu();
    }
}

TEST_F(GameLoop, TheTimeOutComesAfter316StepsStopsTheCuesAndLeaves) {
    GameState.mode = board::GameMode::Timed;
    DialogAnswers answers;
    answers.onPrompt(kNamePrompt, typeNameAndLeaveList).install();
    int loopsAtTimeUp = -1, stopsAtTimeUp = -1, barAtTimeUp = -1;
    int stopsBefore = 0;
    // Watches every flip for the time-out cue; just before the last step, moves the
    // mouse onto a cell with the button down: the poll of that frame must never run.
    standin::setFrameDriver([&](int flips) {
        if (GameState.clockBar == 315 && GameState.clockTicks == 640) {
            standin::setMouse(kCell36X, kCell36Y, app::kLeftButton);
            stopsBefore = standin::log().stopSamplesCalls;
        }
        if (flips == frame(5)) {
            GameState.score = 1234;
            GameState.clockBar = 299;
            GameState.clockTicks = 0;
        }
        if (cues("sam/brakczasu.wav") == 1 && loopsAtTimeUp < 0) {
            loopsAtTimeUp = standin::activeLoops();
            stopsAtTimeUp = standin::log().stopSamplesCalls;
            barAtTimeUp = GameState.clockBar;
        }
        if (flips > kGiveUp) {
            ADD_FAILURE() << "no time-out";
            standin::setMouse(kMenuX, kMenuY, app::kLeftButton);
        }
    });
    play::gameLoop();

    EXPECT_EQ(cues("sam/time.wav"), 1) << "the warning loop starts once, at step 300";
    ASSERT_EQ(cues("sam/brakczasu.wav"), 1);
    EXPECT_EQ(loopsAtTimeUp, 0) << "the warning loop was stopped before the time-out cue";
    EXPECT_EQ(stopsAtTimeUp, stopsBefore + 1);
    EXPECT_EQ(barAtTimeUp, 0);
    // 17 steps of 641 frames from step 299, plus the flips of the 16 steps before.
    EXPECT_EQ(standin::playsOf("sam/brakczasu.wav")[0].frame, frame(5) + 17 * 641 + 16);
    EXPECT_NE(app::mouseState.x, kCell36X) << "the frame of the time-out polled the mouse";
    auto picture = sheetPieces(416, 716, 208, 65);
    ASSERT_EQ(picture.size(), 1u);
    // 1234 beats the empty place 20 of the timed list: the name entry placed it.
    EXPECT_FALSE(standin::textsWith(kNamePrompt).empty());
    EXPECT_FALSE(standin::textsWith("Ala").empty()) << "the list shows the new name";
    expectBackInTheMenu();
}

TEST_F(GameLoop, TheLastPlanetEndsTheGameInTheFrameItIsCompleted) {
    support::FrameScript script;
    script.at(frame(5), [] {
        GameState.level = 8;
        GameState.stars = 8;
        GameState.score = 31000;
    });
    // The continue button of the level completion, pressed while the board dissolves.
    script.mouseAt(frame(5) + 300, kContinueX, kContinueY, app::kLeftButton);
    DialogAnswers answers;
    answers.onPrompt(kNamePrompt, typeNameAndLeaveList).install();
    play(script);
    EXPECT_FALSE(standin::textsWith("Ala").empty()) << "the name entry followed";
    auto scoreLine = standin::textsWith("w grze zdobyłeś  31000  punktów");
    ASSERT_EQ(scoreLine.size(), 2u) << "the final screen shows the score";
    EXPECT_EQ(GameState.nameEntryDue, 0) << "the list screen ends the entry's cycle";
    EXPECT_EQ(standin::textsWith("NEPTUN - ").size(), 2u) << "Neptune's text came first";
    // No loop frame ran between the completion and the final screen: every loop frame
    // with nothing hovered erases the button row.
    for (const auto& d : standin::drawsOf(app::Assets.screen)) {
        if (d.sx == 36 && d.sy == 547 && d.sw == 276) {
            EXPECT_LT(d.frame, frame(5)) << "a loop frame ran after the completion";
        }
    }
    expectBackInTheMenu();
}

TEST_F(GameLoop, TheHoverSoundPlaysOncePerEntryOntoAButton) {
    support::FrameScript script;
    script
        .mouseAt(frame(5), kHintX, kHintY, 0)       // onto the hint button
        .mouseAt(frame(15), kHintX + 10, kHintY, 0) // still on it
        .mouseAt(frame(20), kCell36X, kCell36Y, 0)  // straight onto a cell: flag kept
        .mouseAt(frame(25), kHintX, kHintY, 0)      // back onto the hint: no new sound
        .mouseAt(frame(30), kEmptyX, kEmptyY, 0)    // nothing hovered clears the flag
        .mouseAt(frame(35), kSaveX, kSaveY, 0);     // the save button: a sound
    leaveByMenu(script, frame(45));                 // from save straight onto menu
    play(script);
    EXPECT_EQ(cues("sam/menu.wav"), 2);
}

TEST_F(GameLoop, AButtonIsLitExactlyWhileHoveredAndTheRowErasedWhenNothingIs) {
    support::FrameScript script;
    script.mouseAt(frame(5), kSaveX, kSaveY, 0).mouseAt(frame(10), kEmptyX, kEmptyY, 0);
    leaveByMenu(script, frame(20));
    play(script);
    // Moved after frame 5, read by the poll of frame 6, reported from frame 7 on.
    std::vector<int> expected;
    for (int k = 7; k <= 11; ++k) {
        expected.push_back(frame(k) - 1);
    }
    EXPECT_EQ(highlightFrames(468), expected);
    int erasures = 0;
    for (const auto& d : standin::drawsOf(app::Assets.screen)) {
        erasures += d.sx == 36 && d.sy == 547 && d.sw == 276 && d.frame == frame(12) - 1;
    }
    EXPECT_EQ(erasures, 1);
}

TEST_F(GameLoop, InTheRelaxedGameEscapeAndTheRightButtonDoNothing) {
    support::FrameScript script;
    script.at(frame(5), [] { standin::pressKey(ALLEGRO_KEY_ESCAPE, app::kEscape); })
        .mouseAt(frame(10), kEmptyX, kEmptyY, app::kRightButton)
        .mouseAt(frame(20), kEmptyX, kEmptyY, 0);
    leaveByMenu(script, frame(30));
    play(script);
    EXPECT_EQ(pausePlates(), 0);
}

TEST_F(GameLoop, EscapePausesTheTimedGameBeforeTheClockAndThePressReachesTheNextFrame) {
    GameState.mode = board::GameMode::Timed;
    support::FrameScript script;
    // Escape posts key-down, the character and key-up: the character is taken in the
    // second frame after. The clock is due to step in that same frame.
    script.at(frame(5), [] {
        standin::pressKey(ALLEGRO_KEY_ESCAPE, app::kEscape);
        GameState.clockTicks = 639;
    });
    int clockTicksDuringPause = -1;
    standin::setRestDriver([&](double) {
        if (pausePlates() == 1 && clockTicksDuringPause < 0) {
            clockTicksDuringPause = GameState.clockTicks;
            // End the pause with a press on cell 36: the next poll reports it.
            standin::setMouse(kCell36X, kCell36Y, app::kLeftButton);
        }
    });
    script.mouseAt(frame(12), kCell36X, kCell36Y, 0);
    leaveByMenu(script, frame(100));
    play(script);

    ASSERT_EQ(pausePlates(), 1);
    EXPECT_EQ(clockTicksDuringPause, 640) << "the pause comes before the frame's tick";
    EXPECT_EQ(GameState.selectedCell, 36) << "the press that ended the pause started a drag";
    // In the frame of the pause: plate, then the clock's step, then the button row.
    const auto& draws = standin::log().bitmaps;
    int plate = -1, bar = -1;
    for (int i = 0; i < static_cast<int>(draws.size()); ++i) {
        const auto& d = draws[i];
        if (d.bitmap == app::Assets.sheet && d.sx == 230 && d.sy == 570 && d.sw == 225) {
            plate = i;
        }
        if (d.bitmap == app::Assets.sheet && d.sx == 795 && d.sw == 15 && plate >= 0 && bar < 0) {
            bar = i;
        }
    }
    ASSERT_GE(plate, 0);
    ASSERT_GT(bar, plate);
}

TEST_F(GameLoop, TheKeyRecordIsSharedSoAnEscapeTakenBeforeTheGamePausesItsFirstFrame) {
    // The last key any earlier screen took stays in the record until the game's own
    // queue delivers one.
    GameState.mode = board::GameMode::Timed;
    app::InputState.event.keyboard.unichar = app::kEscape;
    bool clicked = false;
    standin::setRestDriver([&](double) {
        if (pausePlates() == 1 && !clicked) {
            clicked = true;
            standin::setMouse(kEmptyX, kEmptyY, app::kLeftButton);
        }
    });
    support::FrameScript script;
    script.at(frame(1), [] { standin::pressKey(ALLEGRO_KEY_A, 'a'); });
    leaveByMenu(script, frame(10));
    play(script);
    ASSERT_EQ(pausePlates(), 1);
    EXPECT_EQ(standin::textsWith("P a u z a")[0].frame, frame(0)) << "paused in frame 1";
}

TEST_F(GameLoop, AHeldRightButtonPausesAgainEveryFrame) {
    GameState.mode = board::GameMode::Timed;
    support::FrameScript script;
    script.mouseAt(frame(5), kEmptyX, kEmptyY, app::kRightButton);
    script.mouseAt(frame(5) + 20, kEmptyX, kEmptyY, 0);
    // The poll that sees the release is one behind: one more pause starts with no button
    // down, and that one waits for a click.
    double waitedFrom = -1;
    bool clicked = false;
    standin::setRestDriver([&](double clock) {
        if (app::mouseState.buttons == 0 && pausePlates() > 0 && waitedFrom < 0 &&
            standin::textsWith("P a u z a").back().frame == standin::log().flips - 1) {
            waitedFrom = clock;
        }
        if (waitedFrom >= 0 && clock > waitedFrom + 3.0 && !clicked) {
            clicked = true;
            standin::setMouse(kEmptyX, kEmptyY, app::kLeftButton);
        }
    });
    script.mouseAt(frame(5) + 40, kEmptyX, kEmptyY, 0);
    leaveByMenu(script, frame(5) + 50);
    play(script);
    // Held from after frame 5, first reported by the poll of frame 7: every frame from 8
    // on pauses, and a pause and a frame flip once each, so about ten in 20 flips.
    EXPECT_GE(pausePlates(), 9);
    EXPECT_LE(pausePlates(), 11);
    EXPECT_GE(waitedFrom, 0) << "the pause after the release waited for a click";
}

TEST_F(GameLoop, ABoardWithoutAMoveGetsOneElementReplacedPerFrameUntilItHasOne) {
    // A board without any move: kinds in diagonal stripes of period 4 leave no swap
    // that lines up three.
    auto fillWithoutMoves = [] {
        for (int r = 1; r <= 8; ++r) {
            for (int c = 1; c <= 8; ++c) {
                const int kind = (c + 2 * r) % 4 + 1;
                GameState.cellKind[board::cellNumber(c, r)] = kind;
                GameState.grid[c][r] = kind;
            }
        }
    };
    fillWithoutMoves();
    GameState.noMoves = 0;
    board::findMove();
    ASSERT_EQ(GameState.noMoves, 1) << "the test board must have no move";

    int replacementsSeen = -1;
    support::FrameScript script;
    script.at(frame(5), fillWithoutMoves);
    script.at(frame(5) + 1, [&] { replacementsSeen = cues("sam/snd1.wav"); });
    leaveByMenu(script, frame(200));
    play(script);
    EXPECT_GE(replacementsSeen, 1) << "the frame after the board lost its moves replaced one";
    EXPECT_EQ(GameState.noMoves, 0);
}

} // namespace
