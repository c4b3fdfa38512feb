#include "app/assets.hpp"
#include "board/game_state.hpp"
#include "game/main_menu.hpp"
#include "records/fixture.hpp"
#include "saves/load_dialog.hpp"
#include "saves/save_index.hpp"

#include <algorithm>

namespace {

using board::GameState;
using driver::Key;
using fixture::keys;
using fixture::mouse;
using fixture::typing;
using saves::SaveIndex;

constexpr const char* kNoGames = "Nie ma żadnych zapisanych gier";
constexpr const char* kPrompt = "Podaj hasło:";
constexpr const char* kWrong = "Niepoprawne hasło";
constexpr int kEntryRuns = 21; // the strip opens in 20 flips, then the entry takes keys

class LoadDialog : public fixture::Screen {
  protected:
    void SetUp() override {
        fixture::Screen::SetUp();
        SaveIndex.count = 2;
        folder.write("abc", "1 2 3");
        folder.write("Żółw1", "1 2 3");
    }

    // Runs the dialog with `keys` pressed once its strip is open.
    static void load(const std::vector<Key>& keys) {
        driver::Steps().whenShown(kPrompt, kEntryRuns, typing(keys)).install();
        saves::loadDialog();
    }
};

TEST_F(LoadDialog, OnlyAStoredGamesPasswordResumesAndAnyOtherFileIsRefusedAndLeftAlone) {
    folder.write("opc.txt", "0.5\n0.5\n0\n");
    folder.write("lir.txt", "x");
    fixture::blockWithFolder(folder, "gr");
    std::vector<std::tuple<std::vector<Key>, std::string, bool>> cases = {
        {keys({379, 243, 322, 'w', '1', 13}), "Żółw1", true},
        {keys({13, 27, 'a', 27, 'b', 'c', 13}), "abc", true}, // Enter on nothing, Escape: ignored
        // Backspace takes a whole Polish letter; 17 bytes at most.
        {keys({'a', 'b', 380, 8}) + driver::typed(std::string(15, 'c')) + keys({261, 'd', 13}),
         "ab" + std::string(15, 'c'), false},
    };
    for (const char* name :
         {"a b./~", " abc", "abd", "opc.txt", "lir.txt", "gr", "gr/keep", "../x"}) {
        cases.push_back({driver::typedThenEnter(name), name, false});
    }
    for (const auto& [typed, name, resumed] : cases) {
        SCOPED_TRACE(name);
        SetUp();
        GameState.resumedGame = resumed ? 0 : 1;
        load(typed);
        EXPECT_EQ(fixture::textsAt(400, 213).back(), name);
        EXPECT_EQ(saves::currentSaveName, name);
        EXPECT_EQ(GameState.resumedGame, resumed ? 1 : 0);
        EXPECT_EQ(SaveIndex.count, 2);
        EXPECT_EQ(standin::textsWith(kWrong).size(), resumed ? 0u : 1u);
        EXPECT_GE(standin::log().clock, resumed ? 0 : 1.5) << "a refusal shows for a moment";
    }
    EXPECT_EQ(folder.read("opc.txt"), "0.5\n0.5\n0\n");
    EXPECT_EQ(folder.read("lir.txt") + folder.read("gr/keep"), "xx");
}

// The window grown to twice the picture while a password is typed: the strip's prompt is
// drawn again from a font of the new size, and the letters typed so far come back with
// the entry's next pass, before Enter takes them.
TEST_F(LoadDialog, AChangeOfScaleDrawsTheStripAgainAndKeepsTheLettersTyped) {
    driver::Steps()
        .whenShown(kPrompt, kEntryRuns, typing(keys({'a', 'b'})))
        .when([](int) { return !standin::textsWith("ab").empty(); },
              [] { standin::resizeWindow(1600, 1200); })
        .when([](int) { return standin::textsWith("ab").back().font->size == 48; },
              typing(keys({'c', 13})))
        .install();
    saves::loadDialog();
    const standin::TextDraw prompt = standin::textsWith(kPrompt).back();
    EXPECT_EQ(prompt.font->size, 40);
    EXPECT_EQ(prompt.target, app::Assets.strip);
    EXPECT_EQ(standin::textsWith("ab").back().font->size, 48) << "typed so far, at the new size";
    EXPECT_EQ(saves::currentSaveName, "abc");
    EXPECT_EQ(GameState.resumedGame, 1);
}

TEST_F(LoadDialog, ARightClickInTheStripGivesUpOnlyWhileTheFieldIsEmpty) {
    saves::currentSaveName = "stary"; // the entry begins by clearing it
    driver::Steps()
        .whenShown(kPrompt, kEntryRuns, mouse(100, 205, 2)) // above the strip
        .after(6, mouse(100, 250, 2))                       // below it
        .after(6, mouse(100, 250, 0))
        .after(1, typing(keys({'a', 'b'})))
        .after(8, mouse(400, 230, 2))
        .after(8, mouse(400, 230, 0))
        .after(1, typing(keys({8, 8})))
        .after(8, mouse(100, 211, 2))
        .install();
    saves::loadDialog();
    const auto field = fixture::textsAt(400, 213);
    EXPECT_NE(std::find(field.begin(), field.end(), "ab"), field.end()) << "gave up too early";
    EXPECT_EQ(GameState.resumedGame, 0);
    EXPECT_TRUE(saves::currentSaveName.empty());
    EXPECT_EQ(standin::textsWith(kWrong).size(), 1u);
}

TEST_F(LoadDialog, WithoutStoredGamesAMessageShowsUntilTheButtonIsReleased) {
    SaveIndex.count = 0;
    saves::currentSaveName = "stary";
    fixture::pressFor(400, 230, 4.0); // the click that chose the menu item, still held
    saves::loadDialog();
    EXPECT_EQ(GameState.resumedGame, 0);
    EXPECT_GT(standin::log().clock, 4.0);
    EXPECT_EQ(standin::textsWith(kNoGames).size(), 1u);
    EXPECT_TRUE(standin::textsWith(kPrompt).empty());
    EXPECT_EQ(saves::currentSaveName, "stary");
}

TEST_F(LoadDialog, ANegativeCountShowsNoPromptButTheEntryWorks) {
    SaveIndex.count = -1;
    driver::Steps().after(kEntryRuns, typing(driver::typedThenEnter("abc"))).install();
    saves::loadDialog();
    EXPECT_TRUE(standin::textsWith(kPrompt).empty() && standin::textsWith(kNoGames).empty());
    EXPECT_EQ(GameState.resumedGame, 1);
}

// A count the game refused to read (a link, no permission) reads 0 but says nothing of the
// games stored: the password is asked for and a stored game resumes.
TEST_F(LoadDialog, ACountThatCouldNotBeReadStillAsksForThePassword) {
    SaveIndex.count = 0;
    SaveIndex.refused = true;
    driver::Steps().whenShown(kPrompt, kEntryRuns, typing(driver::typedThenEnter("abc"))).install();
    saves::loadDialog();
    EXPECT_TRUE(standin::textsWith(kNoGames).empty());
    EXPECT_EQ(GameState.resumedGame, 1);
}

TEST_F(LoadDialog, TheMenuItemOpensTheDialog) {
    driver::Steps()
        .after(50, mouse(400, 230, 1))
        .after(3, mouse(400, 230, 0))
        .whenShown(kPrompt, kEntryRuns, typing(driver::typedThenEnter("nic")))
        .whenShown(kWrong, 60, mouse(400, 430, 1)) // then the menu's last item
        .install();
    game::mainMenu();
    EXPECT_EQ(GameState.resumedGame, 0);
    EXPECT_EQ(standin::textsWith(kWrong).size(), 1u);
}

} // namespace
