#include "app/assets.hpp"
#include "app/main_menu.hpp"
#include "board/game_state.hpp"
#include "saves/load_dialog.hpp"
#include "saves/save_index.hpp"
#include "support/headless.hpp"
#include "support/screen_driver.hpp"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

using board::GameState;
using driver::Key;
using saves::SaveIndex;

constexpr const char* kNoGames = "Nie ma żadnych zapisanych gier";
constexpr const char* kPrompt = "Podaj hasło:";
constexpr const char* kWrong = "Niepoprawne hasło";
constexpr int kStripOpenFlips = 20;
constexpr int kEntryRuns = kStripOpenFlips + 1; // the queue exists after the strip opened

class LoadDialog : public ::testing::Test {
  protected:
    void SetUp() override {
        support::startHeadless();
        SaveIndex.count = 2;
        folder.write("abc", "1 2 3");
        folder.write("Żółw1", "1 2 3");
        standin::log() = standin::Log{};
    }

    // Runs the dialog with `keys` pressed once its strip is open.
    void load(const std::vector<Key>& keys) {
        driver::Steps steps;
        steps.whenShown(kPrompt, kEntryRuns, [keys] { driver::press(keys); });
        steps.install();
        saves::loadDialog();
    }

    static std::vector<Key> withEnter(const std::string& text) {
        return driver::typedThenEnter(text);
    }

    static std::vector<std::string> fieldTexts() {
        std::vector<std::string> out;
        for (const auto& t : standin::log().texts) {
            if (t.x == 400 && t.y == 213) {
                out.push_back(t.text);
            }
        }
        return out;
    }

    support::ScratchFolder folder;
};

TEST_F(LoadDialog, TheRightPasswordResumesAtOnceWithoutAMessage) {
    load(withEnter("abc"));
    EXPECT_EQ(GameState.resumedGame, 1);
    EXPECT_EQ(saves::currentSaveName, "abc");
    EXPECT_TRUE(standin::textsWith(kWrong).empty());
    EXPECT_EQ(standin::textsWith(kPrompt).size(), 1u);
    EXPECT_EQ(SaveIndex.count, 2);
}

TEST_F(LoadDialog, ThePasswordFieldTakesItsOwnCharactersUpTo17Bytes) {
    struct Case {
        const char* what;
        std::vector<Key> keys;
        std::string typed;
        bool resumed;
    };
    const Case cases[] = {
        {"a Polish password", {{379}, {243}, {322}, {'w'}, {'1'}, driver::enter()}, "Żółw1", true},
        {"Enter on an empty field and Escape do nothing",
         {driver::enter(),
          driver::escape(),
          {'a'},
          driver::escape(),
          {'b'},
          {'c'},
          driver::enter()},
         "abc",
         true},
        {"Backspace takes a whole Polish letter; 17 bytes at most",
         driver::typed("ab") + std::vector<Key>{{380}, driver::backspace()} +
             driver::typed(std::string(15, 'c')) + std::vector<Key>{{261}, {'d'}, driver::enter()},
         "ab" + std::string(15, 'c'), false},
        {"every printable character, though no password holds them", withEnter("a b./~"), "a b./~",
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SetUp();
        load(c.keys);
        EXPECT_EQ(fieldTexts().back(), c.typed);
        EXPECT_EQ(saves::currentSaveName, c.typed);
        EXPECT_EQ(GameState.resumedGame, c.resumed ? 1 : 0);
    }
}

TEST_F(LoadDialog, AWrongPasswordOrAFileThatIsNoStoredGameIsRefusedAndLeftAlone) {
    folder.write("opc.txt", "0.5\n0.5\n0\n");
    folder.write("lir.txt", "x");
    std::filesystem::create_directory(folder.path() / "gr");
    std::filesystem::create_directory(folder.path() / "sub");
    folder.write("sub/gra", "1 2 3");
    for (const std::string name :
         {"abd", "opc.txt", "lir.txt", "gr", "sub/gra", "../abc", " abc"}) {
        SCOPED_TRACE(name);
        standin::log() = standin::Log{};
        GameState.resumedGame = 1;
        load(withEnter(name));
        EXPECT_EQ(GameState.resumedGame, 0);
        EXPECT_EQ(SaveIndex.count, 2);
        auto wrong = standin::textsWith(kWrong);
        ASSERT_EQ(wrong.size(), 1u);
        EXPECT_EQ(wrong[0].target, app::Assets.strip);
        EXPECT_GE(standin::log().clock, 1.5) << "shown for a moment";
    }
    EXPECT_EQ(folder.read("opc.txt"), "0.5\n0.5\n0\n");
    EXPECT_TRUE(folder.exists("lir.txt"));
}

TEST_F(LoadDialog, ARightClickInTheStripOnAnEmptyFieldGivesUp) {
    saves::currentSaveName = "stary"; // the entry begins by clearing it
    driver::Steps steps;
    steps.whenShown(kPrompt, kEntryRuns, [] { standin::setMouse(100, 250, 2); }).after(6, [] {
        standin::setMouse(100, 211, 2);
    });
    steps.install();
    saves::loadDialog();
    EXPECT_EQ(GameState.resumedGame, 0);
    EXPECT_TRUE(saves::currentSaveName.empty());
    EXPECT_EQ(standin::textsWith(kWrong).size(), 1u);
}

TEST_F(LoadDialog, ARightClickWithTextTypedDoesNothing) {
    driver::Steps steps;
    steps.whenShown(kPrompt, kEntryRuns, [] { driver::press(driver::typed("ab")); })
        .after(8, [] { standin::setMouse(400, 230, 2); })
        .after(8, [] {
            standin::setMouse(400, 230, 0);
            driver::press(withEnter("c"));
        });
    steps.install();
    saves::loadDialog();
    EXPECT_EQ(GameState.resumedGame, 1);
    EXPECT_EQ(saves::currentSaveName, "abc");
}

TEST_F(LoadDialog, WithoutStoredGamesAMessageShowsUntilTheButtonIsReleased) {
    SaveIndex.count = 0;
    saves::currentSaveName = "stary";
    standin::setMouse(400, 230, 1); // the click that chose the menu item, still held
    standin::setRestDriver([](double clock) {
        if (clock > 4.0) {
            standin::setMouse(400, 230, 0);
        }
    });
    saves::loadDialog();
    EXPECT_EQ(GameState.resumedGame, 0);
    EXPECT_GT(standin::log().clock, 4.0);
    EXPECT_EQ(standin::textsWith(kNoGames).size(), 1u);
    EXPECT_TRUE(standin::textsWith(kPrompt).empty());
    EXPECT_EQ(saves::currentSaveName, "stary");
}

TEST_F(LoadDialog, ANegativeCountShowsNoPromptButTheEntryWorks) {
    SaveIndex.count = -1;
    driver::Steps steps;
    steps.after(kEntryRuns, [] { driver::press(withEnter("abc")); });
    steps.install();
    saves::loadDialog();
    EXPECT_TRUE(standin::textsWith(kPrompt).empty());
    EXPECT_TRUE(standin::textsWith(kNoGames).empty());
    EXPECT_EQ(GameState.resumedGame, 1);
}

TEST_F(LoadDialog, TheMenuItemOpensTheDialog) {
    driver::Steps steps;
    steps.after(50, [] { standin::setMouse(400, 230, 1); })
        .after(3, [] { standin::setMouse(400, 230, 0); })
        .whenShown(kPrompt, kEntryRuns, [] { driver::press(withEnter("nic")); })
        .whenShown(kWrong, 60, [] { standin::setMouse(400, 430, 1); });
    steps.install();
    app::mainMenu();
    EXPECT_EQ(GameState.resumedGame, 0);
    EXPECT_EQ(standin::textsWith(kWrong).size(), 1u);
}

} // namespace
