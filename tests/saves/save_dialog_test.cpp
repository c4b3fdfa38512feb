#include "app/assets.hpp"
#include "board/game_state.hpp"
#include "records/options.hpp"
#include "saves/load_dialog.hpp"
#include "saves/save_dialog.hpp"
#include "saves/save_index.hpp"
#include "saves/stored_game.hpp"
#include "support/headless.hpp"
#include "support/screen_driver.hpp"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

using board::GameState;
using driver::Key;
using saves::SaveIndex;

constexpr const char* kQuestion = "Czy zapisać stan gry?";
constexpr const char* kPrompt = "Wpisz i zapamiętaj hasło dostępu:";
constexpr const char* kRetryPrompt = "Wpisz inne hasło (Esc - bez zapisu):";
constexpr const char* kFailed = "Nie udało się zapisać gry pod tym hasłem";
constexpr const char* kOldName = "Gra zapisana pod starą nazwą";
constexpr int kStripOpenFlips = 20;
constexpr int kFadeInFlips = 44;

class SaveDialog : public ::testing::Test {
  protected:
    void SetUp() override {
        support::startHeadless();
        for (int cell = 1; cell <= 64; ++cell) {
            GameState.cellKind[cell] = 1 + cell % 7;
            GameState.cellX[cell] = 250 + 46 * ((cell - 1) % 8);
            GameState.cellY[cell] = 100 + 46 * ((cell - 1) / 8);
        }
        GameState.level = 3;
        GameState.score = 4321;
        records::Options.musicVolume = 0.5f;
        records::Options.effectsVolume = 1.0f;
        SaveIndex.count = 2;
        standin::log() = standin::Log{};
    }

    static void answer(driver::Steps& steps, int x, int buttons = 1) {
        steps.whenShown(kQuestion, kStripOpenFlips, [=] { standin::setMouse(x, 570, buttons); });
    }
    static void answerYes(driver::Steps& steps) { answer(steps, 390); }

    // Types `keys` once `prompt` has faded in and the entry runs.
    static void typeAt(driver::Steps& steps, const char* prompt, std::vector<Key> keys) {
        steps.whenShown(prompt, kFadeInFlips + 1, [keys] { driver::press(keys); });
    }

    static std::vector<Key> withEnter(const std::string& text) {
        return driver::typedThenEnter(text);
    }

    support::ScratchFolder folder;
};

TEST_F(SaveDialog, NoClosesTheStripAndStoresNothing) {
    saves::currentSaveName = "stary";
    driver::Steps steps;
    answer(steps, 670);
    steps.install();
    saves::saveDialog();
    EXPECT_FALSE(folder.exists("stary"));
    EXPECT_FALSE(folder.exists("zg.txt"));
    EXPECT_EQ(SaveIndex.count, 2);
    EXPECT_EQ(saves::currentSaveName, "stary");
    // The board went into the screen buffer first, one cell per flip.
    int cells = 0;
    for (const auto& d : standin::drawsOf(app::Assets.sheet)) {
        cells += d.target == app::Assets.screen && d.sw == 46 && d.sy == 0 && d.frame == cells;
    }
    EXPECT_EQ(cells, 64);
}

TEST_F(SaveDialog, YesStoresAResumedGameUnderItsOldName) {
    saves::currentSaveName = "stary";
    folder.write("stary", "old");
    const std::string text = saves::storedGameText();
    driver::Steps steps;
    answerYes(steps);
    steps.install();
    saves::saveDialog();
    EXPECT_EQ(folder.read("stary"), text);
    EXPECT_EQ(SaveIndex.count, 2);
    EXPECT_EQ(folder.read("zg.txt"), "2");
    EXPECT_TRUE(saves::currentSaveName.empty());
    EXPECT_EQ(standin::textsWith(kOldName).size(), 1u);
    EXPECT_TRUE(standin::textsWith(kPrompt).empty());
}

TEST_F(SaveDialog, YesStoresANewGameUnderTheTypedPasswordAndCountsIt) {
    const std::string text = saves::storedGameText();
    driver::Steps steps;
    answerYes(steps);
    steps.whenShown(kPrompt, kFadeInFlips + 1, [] {
        EXPECT_EQ(SaveIndex.count, 3) << "the count rises as the entry begins";
        EXPECT_TRUE(saves::currentSaveName.empty());
        driver::press(withEnter("aB3"));
    });
    steps.install();
    saves::saveDialog();
    EXPECT_EQ(folder.read("aB3"), text);
    EXPECT_EQ(SaveIndex.count, 3);
    EXPECT_EQ(folder.read("zg.txt"), "3");
    EXPECT_TRUE(saves::currentSaveName.empty());
    // The stored game is over here: what remains is the state of a new game.
    EXPECT_EQ(GameState.level, 1);
    EXPECT_EQ(GameState.score, 0);
}

TEST_F(SaveDialog, ThePasswordFieldTakesItsOwnCharactersUpTo17Bytes) {
    struct Case {
        const char* what;
        std::vector<Key> keys;
        std::string stored;
    };
    const Case cases[] = {
        {"ASCII 48 to 122 and the Polish letters; Backspace takes a whole letter",
         {{' '},
          {'.'},
          {'-'},
          {'{'},
          {'/'},
          {260},
          {'x'},
          {380},
          driver::backspace(),
          {'y'},
          {380},
          driver::enter()},
         "xyż"},
        {"seventeen bytes at most, no half letter",
         driver::typed(std::string(16, 'a')) + std::vector<Key>{{261}} + withEnter("b"),
         std::string(16, 'a') + "b"},
        {"Enter and Escape wait for a password; then Escape confirms",
         {driver::enter(), driver::escape(), {'k'}, {'1'}, driver::escape()},
         "k1"},
        {"an existing password is stored over and still counts", withEnter("abc"), "abc"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SetUp();
        folder.write("abc", "old");
        const std::string text = saves::storedGameText();
        driver::Steps steps;
        answerYes(steps);
        typeAt(steps, kPrompt, c.keys);
        steps.install();
        saves::saveDialog();
        EXPECT_EQ(folder.read(c.stored), text);
        EXPECT_EQ(SaveIndex.count, 3);
        for (const auto& t : standin::textsWith("_")) {
            EXPECT_EQ(t.x, 378) << "the cursor blinks in the field";
        }
    }
}

TEST_F(SaveDialog, TheAnswerUnderThePointerBrightensAndTheRightButtonDoesNothing) {
    driver::Steps steps;
    steps.whenShown(kQuestion, kStripOpenFlips, [] { standin::setMouse(390, 557, 0); })
        .after(10, [] { standin::setMouse(390, 570, 2); })
        .after(10, [] { standin::setMouse(500, 570, 0); })
        .after(10, [] { standin::setMouse(680, 580, 1); });
    steps.install();
    saves::saveDialog();
    int yesLit = 0, plain = 0, noLit = 0;
    for (const auto& d : standin::drawsOf(app::Assets.strip)) {
        if (d.target != standin::backbuffer() || d.dy != 557) {
            continue;
        }
        if (d.tinted && d.sx == 374) {
            EXPECT_EQ(standin::rgba(d.tint), (standin::Rgba{153, 153, 153, 115}));
            ++yesLit;
        } else if (d.tinted && d.sx == 651) {
            ++noLit;
        } else if (!d.tinted && d.sx == 370 && d.sw == 330) {
            ++plain;
        }
    }
    EXPECT_GE(yesLit, 18);
    EXPECT_GE(plain, 8);
    EXPECT_GE(noLit, 1);
    EXPECT_FALSE(folder.exists("zg.txt")) << "the right button answered";
}

TEST_F(SaveDialog, AStoreThatFailsKeepsTheCountAndAsksForAnotherPassword) {
    std::filesystem::create_directory(folder.path() / "gr");
    folder.write("gr/elementy.png", "picture");
    const std::string text = saves::storedGameText();
    driver::Steps steps;
    answerYes(steps);
    typeAt(steps, kPrompt, withEnter("gr"));
    steps.whenShown(kFailed, 1, [] { EXPECT_EQ(SaveIndex.count, 2); });
    typeAt(steps, kRetryPrompt, withEnter("ok1"));
    steps.install();
    saves::saveDialog();
    EXPECT_EQ(folder.read("gr/elementy.png"), "picture");
    EXPECT_EQ(folder.read("ok1"), text);
    EXPECT_EQ(SaveIndex.count, 3);
    EXPECT_EQ(folder.read("zg.txt"), "3");
    auto failed = standin::textsWith(kFailed);
    ASSERT_EQ(failed.size(), 1u);
    EXPECT_EQ(standin::rgba(failed[0].colour), (standin::Rgba{200, 80, 80, 255}));
}

TEST_F(SaveDialog, AfterAFailedStoreEscapeGivesUpWithoutStoring) {
    std::filesystem::create_directory(folder.path() / "gr");
    folder.write("gr/x", "1");
    driver::Steps steps;
    answerYes(steps);
    typeAt(steps, kPrompt, withEnter("gr"));
    typeAt(steps, kRetryPrompt, {driver::escape()});
    steps.install();
    saves::saveDialog();
    EXPECT_EQ(SaveIndex.count, 2);
    EXPECT_FALSE(folder.exists("zg.txt"));
    EXPECT_TRUE(saves::currentSaveName.empty());
}

TEST_F(SaveDialog, AResumedGameThatCannotBeStoredAgainAsksForANewPassword) {
    std::filesystem::create_directory(folder.path() / "stary");
    folder.write("stary/x", "1");
    saves::currentSaveName = "stary";
    const std::string text = saves::storedGameText();
    driver::Steps steps;
    answerYes(steps);
    typeAt(steps, kRetryPrompt, withEnter("nowe"));
    steps.install();
    saves::saveDialog();
    EXPECT_EQ(folder.read("nowe"), text);
    EXPECT_EQ(SaveIndex.count, 3);
    EXPECT_TRUE(saves::currentSaveName.empty());
}

} // namespace

namespace {

TEST_F(SaveDialog, AGameStoredAndResumedIsTheSameGame) {
    GameState.columnStar[3] = 1;
    GameState.kindProgress[2] = 64;
    GameState.clockBar = 120;
    GameState.mode = board::GameMode::Timed;
    const board::GameStateRecord before = GameState;
    driver::Steps steps;
    answerYes(steps);
    typeAt(steps, kPrompt, withEnter("rt1"));
    steps.install();
    saves::saveDialog();

    board::GameState = board::GameStateRecord{};
    records::Options = records::OptionsRecord{};
    standin::log() = standin::Log{};
    driver::Steps load;
    load.whenShown("Podaj hasło:", 21, [] { driver::press(withEnter("rt1")); });
    load.install();
    saves::loadDialog();
    ASSERT_EQ(GameState.resumedGame, 1);
    saves::readStoredGame(saves::currentSaveName);
    for (int cell = 1; cell <= 64; ++cell) {
        EXPECT_EQ(GameState.cellKind[cell], before.cellKind[cell]);
    }
    EXPECT_EQ(GameState.columnStar[3], 1);
    EXPECT_EQ(GameState.kindProgress[2], 64);
    EXPECT_EQ(GameState.level, 3);
    EXPECT_EQ(GameState.score, 4321);
    EXPECT_EQ(GameState.clockBar, 120);
    EXPECT_EQ(GameState.mode, board::GameMode::Timed);
    EXPECT_FLOAT_EQ(records::Options.musicVolume, 0.5f);
    EXPECT_FLOAT_EQ(records::Options.effectsVolume, 1.0f);
}

} // namespace
