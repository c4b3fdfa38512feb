#include "app/assets.hpp"
#include "app/return_button.hpp"
#include "app/startup.hpp"
#include "board/game_state.hpp"
#include "game/menu_actions.hpp"
#include "game/settings_files.hpp"
#include "records/fixture.hpp"
#include "records/high_scores.hpp"
#include "records/options.hpp"
#include "records/options_screen.hpp"

#include <filesystem>
#include <limits>

namespace {

using app::Settings;
using board::GameState;
using fixture::onDisplay;

// Steps in a script from `inLoop` count the options' loop frames: at `kLoop + n`, the flip
// that ends frame n.
constexpr int kLoop = driver::loopFrame(0);

class OptionsScreen : public fixture::Screen {
  protected:
    void SetUp() override {
        fixture::Screen::SetUp();
        app::Settings = {0.5f, 0.8f};
    }

    static support::FrameScript inLoop() {
        return driver::inLoopOf(app::kPageReturn.plateAt.x, app::kPageReturn.plateAt.y);
    }

    // Runs the screen with `script`, leaving by the return button at loop flip `leave`.
    static void run(support::FrameScript script, int leave) {
        script.mouseAt(kLoop + leave, 400, 490, 1);
        driver::giveUpAfter(script).install();
        records::optionsScreen();
        game::returnToMenu(); // as the menu item does
    }
};

TEST_F(OptionsScreen, OnlyTheReturnButtonLeavesAndStoresTheSlidersAndTheMode) {
    auto script = inLoop();
    script
        .mouseAt(kLoop + 5, 484, 165, 1) // music at 0.37
        .mouseAt(kLoop + 10, 484, 165, 0)
        .mouseAt(kLoop + 12, 547, 205, 1) // effects at 1.00
        .mouseAt(kLoop + 16, 547, 205, 0)
        .mouseAt(kLoop + 30, 400, 482, 1) // the return button's top edge
        .mouseAt(kLoop + 33, 400, 490, 2) // the right button on it
        .at(kLoop + 38, [this] { EXPECT_FALSE(folder.exists("opc.txt")) << "left too early"; });
    script.at(kLoop + 20, [] { fixture::pressFor(520, 285, 0.05); }); // the mode
    run(script, 40);
    EXPECT_EQ(folder.read("opc.txt"), "0.37\n1\n1\n");
    EXPECT_EQ(fixture::fileCount(folder), 1) << "a temporary file was left behind";
    EXPECT_EQ(standin::playsOf("sam/menu.wav").size(), 1u);
    EXPECT_EQ(standin::textsWith("Nowa gra").size(), 1u);
    app::Settings = {};
    GameState.mode = 0;
    game::readSettingsFiles();
    EXPECT_FLOAT_EQ(app::Settings.musicVolume, 0.37f);
    EXPECT_FLOAT_EQ(app::Settings.effectsVolume, 1.0f);
    EXPECT_EQ(GameState.mode, board::GameMode::Timed);
}

// Down from no row chooses the music; Left and Right move a slider one step (held keys
// repeat) and flip the mode; the delete row is passed over while there is no list; Escape
// leaves and stores the options as the return button does.
TEST_F(OptionsScreen, TheArrowsChooseARowMoveASliderAndFlipTheModeAndEscapeStores) {
    auto script = inLoop();
    script.at(kLoop + 5, [] {
        standin::pressKey(ALLEGRO_KEY_DOWN, 0);
        standin::pressKey(ALLEGRO_KEY_RIGHT, 0, 4); // music 0.50 to 0.55
        standin::pressKey(ALLEGRO_KEY_DOWN, 0);
        standin::pressKey(ALLEGRO_KEY_LEFT, 0); // effects 0.80 to 0.79
        standin::pressKey(ALLEGRO_KEY_DOWN, 0); // past the delete row to the mode
        standin::pressKey(ALLEGRO_KEY_RIGHT, 0);
        standin::pressKey(ALLEGRO_KEY_ESCAPE, 27);
    });
    driver::giveUpAfter(script).install();
    records::optionsScreen();
    game::returnToMenu();
    EXPECT_EQ(folder.read("opc.txt"), "0.55\n0.79\n1\n");
    EXPECT_EQ(standin::playsOf("sam/menu.wav").size(), 1u);
    EXPECT_EQ(standin::textsWith("Nowa gra").size(), 1u);
}

TEST_F(OptionsScreen, ClosingTheWindowKeepsTheChangesAndAFailedWriteIsTold) {
    auto script = inLoop();
    script.mouseAt(kLoop + 5, 484, 165, 1).mouseAt(kLoop + 10, 484, 165, 0);
    script.at(kLoop + 12, [] { fixture::pressFor(520, 285, 0.05); }); // the mode
    script.at(kLoop + 30, [] { standin::clickWindowClose(); });
    script.install();
    EXPECT_EXIT(records::optionsScreen(), ::testing::ExitedWithCode(0), "");
    EXPECT_EQ(folder.read("opc.txt"), "0.37\n0.8\n1\n");

    std::filesystem::remove(folder.path() / "opc.txt");
    fixture::blockWithFolder(folder, "opc.txt");
    run(inLoop(), 5);
    EXPECT_EQ(standin::textsWith("Nie udało się zapisać ustawień").size(), 1u);
    EXPECT_EQ(folder.read("opc.txt/keep"), "x");
    EXPECT_EQ(standin::textsWith("Nowa gra").size(), 1u) << "the game goes on to the menu";
}

TEST_F(OptionsScreen, ASliderTakesTheLeftButtonOnItAndOnlyTheMusicIsHeardAtOnce) {
    ALLEGRO_AUDIO_STREAM* const& music = app::Assets.music;
    auto script = inLoop();
    script.at(kLoop + 1, [&] { EXPECT_TRUE(music->playing && music->gains.back() == 0.5f); })
        .mouseAt(kLoop + 5, 500, 157, 1)  // the music slider's top edge
        .mouseAt(kLoop + 8, 500, 170, 2)  // the right button on it
        .mouseAt(kLoop + 10, 500, 210, 2) // and on the effects slider
        .at(kLoop + 13,
            [] {
                EXPECT_TRUE(app::Settings.musicVolume == 0.5f &&
                            app::Settings.effectsVolume == 0.8f);
            })
        .mouseAt(kLoop + 14, 447, 170, 1)
        .at(kLoop + 17,
            [&] {
                EXPECT_TRUE(app::Settings.musicVolume == 0 && music->gains.back() == 0);
                EXPECT_FALSE(music->playing) << "nothing decoded at no volume";
            })
        .mouseAt(kLoop + 18, 597, 170, 1)
        .at(kLoop + 21,
            [&] {
                EXPECT_FLOAT_EQ(music->gains.back(), 1.5f);
                EXPECT_TRUE(music->playing);
                EXPECT_EQ(music->startsAtStart, (std::vector<bool>{true, false}));
            })
        .mouseAt(kLoop + 22, 598, 170, 1) // beyond the track: unchanged
        .mouseAt(kLoop + 25, 500, 210, 1) // effects at 0.53
        .mouseAt(kLoop + 29, 500, 210, 0);
    run(script, 32);
    EXPECT_EQ(music->mode, ALLEGRO_PLAYMODE_ONCE);
    EXPECT_FLOAT_EQ(app::Settings.musicVolume, 1.5f);
    EXPECT_FLOAT_EQ(app::Settings.effectsVolume, 0.53f);
    EXPECT_FALSE(onDisplay("150").empty());
    EXPECT_EQ(standin::playsOf("sam/menu.wav").size(), 1u) << "the return click only";
    EXPECT_FALSE(music->playing) << "the fade-out stops the music";
}

TEST_F(OptionsScreen, TheModeChangesOncePerPressHoweverLongItIsHeld) {
    // From, the seconds each press is held, to, and how often "Gra na czas" shows.
    const std::tuple<int, std::vector<double>, int, std::size_t> cases[] = {
        {0, {0.5}, 1, 1},
        {1, {0.02, 0.02}, 1, 2},
        {5, {0.02}, 0, 0}, // an unknown mode shows no label and becomes relaxed
    };
    for (const auto& [from, presses, to, timedLabels] : cases) {
        SCOPED_TRACE(from);
        SetUp();
        GameState.mode = from;
        auto script = inLoop();
        for (std::size_t i = 0; i < presses.size(); ++i) {
            const double held = presses[i];
            script.at(kLoop + 5 + 25 * static_cast<int>(i),
                      [held] { fixture::pressFor(520, 285, held); });
        }
        run(script, 55);
        EXPECT_EQ(GameState.mode, to);
        EXPECT_EQ(onDisplay("Gra na czas").size(), timedLabels);
    }
}

// The row's button switches the window at once; F11 does too, and the row follows. Once
// the picture fills a 1600 x 1200 screen, the button and the way out are clicked where
// the player sees them, twice as far from the corner.
TEST_F(OptionsScreen, FullScreenSwitchesAtOnceByItsButtonOrF11AndIsStoredApart) {
    standin::config().monitorWidth = 1600;
    standin::config().monitorHeight = 1200;
    const auto full = [] {
        return (al_get_display_flags(app::Assets.display) & ALLEGRO_FULLSCREEN_WINDOW) != 0;
    };
    auto script = inLoop();
    script.at(kLoop + 5, [] { fixture::pressFor(520, 325, 0.05); })
        .at(kLoop + 20,
            [&] {
                EXPECT_TRUE(full() && app::Settings.fullScreen);
                EXPECT_EQ(folder.read("ekran.txt"), "1\n") << "stored at once";
                fixture::pressFor(1040, 650, 0.05);
            })
        .at(kLoop + 35,
            [&] {
                EXPECT_FALSE(full() || app::Settings.fullScreen);
                standin::pressKey(ALLEGRO_KEY_F11, 0);
            })
        .mouseAt(kLoop + 50, 800, 980, 1); // the return button, scaled
    driver::giveUpAfter(script).install();
    records::optionsScreen();
    game::returnToMenu();
    EXPECT_TRUE(full() && app::Settings.fullScreen);
    // Each switch remakes the canvas at the new size: the row's word is followed through
    // every canvas it was drawn on.
    std::vector<std::string> shown;
    for (const auto& t : standin::log().texts) {
        if ((t.text == "włączony" || t.text == "wyłączony") && t.target != app::Assets.screen &&
            (shown.empty() || shown.back() != t.text)) {
            shown.push_back(t.text);
        }
    }
    EXPECT_EQ(shown, (std::vector<std::string>{"wyłączony", "włączony", "wyłączony", "włączony"}))
        << "as the screen opened, then after each switch";
    EXPECT_EQ(folder.read("ekran.txt"), "1\n");
    EXPECT_EQ(folder.read("opc.txt"), "0.5\n0.8\n0\n") << "its three values only";
    EXPECT_EQ(fixture::fileCount(folder), 2);
}

TEST_F(OptionsScreen, DeletingTheListRemovesItsFileAndButtonAndEmptiesTheListInMemory) {
    folder.write("lic.txt", records::encodeListText("Czas 2 20 "));
    folder.write("lir.txt", records::encodeListText("Relaks 1 10 "));
    GameState.mode = board::GameMode::Timed;
    records::HighScoreList.entry[1] = {"Stary", 3, 40};
    auto script = inLoop();
    script.at(kLoop + 5, [] { fixture::pressFor(520, 245, 0.02); });
    run(script, 15);
    EXPECT_FALSE(folder.exists("lic.txt"));
    EXPECT_TRUE(folder.exists("lir.txt"));
    EXPECT_EQ(records::HighScoreList.entry[1].score, 0);
    // The row offered the deletion until then, and never after.
    const auto deleted = onDisplay("Lista wyników gry na czas - skasowana");
    ASSERT_GT(deleted.size(), 5u);
    ASSERT_FALSE(onDisplay("Kasowanie listy wyników").empty());
    EXPECT_LT(onDisplay("Kasowanie listy wyników").back().frame, deleted[0].frame);
    for (const auto& d : standin::drawsOf(app::Assets.sheet)) {
        EXPECT_FALSE(d.sx == 150 && d.sy == 670 && d.frame > deleted[0].frame) << "button drawn";
    }
}

// One press, one action: Enter on the deletion row deletes the list, and the mode on the
// row it moves on to stays as it was.
TEST_F(OptionsScreen, EnterOnTheDeletionRowDeletesTheListAndLeavesTheModeAlone) {
    folder.write("lir.txt", records::encodeListText("Relaks 1 10 "));
    auto script = inLoop();
    script.at(kLoop + 5, [] {
        standin::pressKey(ALLEGRO_KEY_DOWN, 0, 2); // music, effects, the deletion
        standin::pressKey(ALLEGRO_KEY_ENTER, 13);
    });
    script.at(kLoop + 15, [] { standin::pressKey(ALLEGRO_KEY_ESCAPE, 27); });
    driver::giveUpAfter(script).install();
    records::optionsScreen();
    game::returnToMenu();
    EXPECT_FALSE(folder.exists("lir.txt"));
    EXPECT_EQ(folder.read("opc.txt"), "0.5\n0.8\n0\n") << "the mode was not flipped";
    EXPECT_FALSE(onDisplay("Lista wyników gry dla relaksu - skasowana").empty());
}

// A directory or a link under the list's name is neither the list nor its deletion: the
// row says nothing rather than that the list was deleted.
TEST_F(OptionsScreen, AListTheGameRefusesToReadIsNeitherOfferedNorSaidDeleted) {
    for (const bool directory : {true, false}) {
        SCOPED_TRACE(directory ? "a directory" : "a link");
        SetUp();
        GameState.mode = board::GameMode::Timed;
        std::filesystem::remove_all(folder.path() / "lic.txt");
        folder.write("lir.txt", records::encodeListText("Relaks 1 10 "));
        if (directory) {
            std::filesystem::create_directory(folder.path() / "lic.txt");
        } else {
            std::filesystem::create_symlink(folder.path() / "lir.txt", folder.path() / "lic.txt");
        }
        run(inLoop(), 5);
        EXPECT_TRUE(onDisplay("Lista wyników gry na czas - skasowana").empty());
        EXPECT_TRUE(onDisplay("Kasowanie listy wyników").empty());
        EXPECT_TRUE(std::filesystem::exists(folder.path() / "lic.txt"));
    }
}

TEST_F(OptionsScreen, ValuesFarOutsideTheSliderAreDrawnWithoutOverflow) {
    app::Settings.musicVolume = 1e30f;
    app::Settings.effectsVolume = std::numeric_limits<float>::quiet_NaN();
    run(inLoop(), 5);
    EXPECT_EQ(onDisplay("1000000000").size(), 1u);
    EXPECT_EQ(onDisplay("0").size(), 1u);
}

} // namespace
