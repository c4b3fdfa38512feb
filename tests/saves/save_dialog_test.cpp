#include "app/input.hpp"
#include "app/keys.hpp"
#include "board/game_state.hpp"
#include "records/fixture.hpp"
#include "saves/save_dialog.hpp"
#include "saves/save_index.hpp"
#include "saves/stored_game.hpp"
#include "support/glow.hpp"

namespace {

using board::GameState;
using driver::Key;
using fixture::keys;
using fixture::mouse;
using fixture::typing;
using saves::SaveIndex;
using Escape = saves::EscapeInQuestion;

constexpr const char* kQuestion = "Czy zapisać stan gry?";
constexpr const char* kPrompt = "Wpisz i zapamiętaj hasło dostępu:";
constexpr const char* kRetryPrompt = "Wpisz inne hasło (Esc - bez zapisu):";
constexpr const char* kFailed = "Nie udało się zapisać gry pod tym hasłem";
constexpr int kTyping = 45; // flips from a prompt's draw until its entry takes keys
// Flips from the question's draw until it takes answers: its strip opens in 20.
constexpr int kAsking = 25;

class SaveDialog : public fixture::Screen {
  protected:
    void SetUp() override {
        fixture::Screen::SetUp();
        for (int cell = 1; cell <= 64; ++cell) {
            GameState.cellKind[cell] = 1 + cell % 7;
        }
        GameState.level = 3;
        SaveIndex.count = 2;
    }

    // Steps that answer the question by a click at x (390 yes, 670 no) once it shows.
    static driver::Steps answer(int x, int buttons = 1) {
        driver::Steps steps;
        steps.whenShown(kQuestion, kAsking, mouse(x, 570, buttons));
        return steps;
    }
};

TEST_F(SaveDialog, NoStoresNothingAndTheRightButtonAnswersNothing) {
    saves::currentSaveName = "stary";
    answer(390, 2).after(10, mouse(670, 570, 1)).install();
    EXPECT_EQ(saves::saveDialog(Escape::Ignored), saves::SaveEnd::Declined);
    EXPECT_FALSE(folder.exists("stary"));
    EXPECT_FALSE(folder.exists("zg.txt"));
    EXPECT_EQ(SaveIndex.count, 2);
    EXPECT_EQ(saves::currentSaveName, "stary");
}

// The answer under the pointer shows its settled glow in every picture; the one it left
// for the other is dark in the next.
TEST_F(SaveDialog, TheLitAnswerShowsItsSettledGlowAndTheOneLeftGoesDarkAtOnce) {
    saves::currentSaveName = "stary";
    std::vector<int> onNo; // the flip the pointer went from yes straight to no
    answer(390, 0)
        .after(10,
               [&onNo] {
                   onNo.push_back(standin::log().flips);
                   standin::setMouse(670, 570, 0);
               })
        .after(10, mouse(670, 570, 1))
        .install();
    EXPECT_EQ(saves::saveDialog(Escape::Ignored), saves::SaveEnd::Declined);
    ASSERT_EQ(onNo.size(), 1u);
    int yesShown = 0, noShown = 0;
    for (const int f : support::presentedFrames()) {
        const auto look = [f](int bandX) {
            return support::glowShown(f, app::Assets.strip, {bandX, 10}, app::Assets.strip,
                                      {370, 10});
        };
        const auto yes = look(374), no = look(651);
        if (yes.layers > 0) {
            EXPECT_TRUE(support::settledLook(yes)) << "flip " << f;
            // The pass that sees the move draws it after showing the pass before.
            EXPECT_LE(f, onNo[0]) << "yes still lit at flip " << f;
            ++yesShown;
        }
        if (no.layers > 0) {
            EXPECT_TRUE(support::settledLook(no)) << "flip " << f;
            EXPECT_GT(f, onNo[0]);
            ++noShown;
        }
    }
    EXPECT_GE(yesShown, 1);
    EXPECT_GE(noShown, 1);
}

// The question's corner read-out of input numbers is a developer's, off for players, and
// so is the patch of backdrop it is drawn on: for a player it would cut a hole in the
// planet strip.
TEST_F(SaveDialog, TheInputReadOutAndItsPatchShowOnlyWhenTheDebugSwitchIsOn) {
    for (const char* debug : {"", "1"}) {
        SCOPED_TRACE(debug);
        SetUp();
        setenv("ORBELIUM_DEBUG", debug, 1);
        answer(670).install();
        saves::saveDialog(Escape::Ignored);
        unsetenv("ORBELIUM_DEBUG");
        int readOuts = 0;
        for (const auto& t : standin::log().texts) {
            readOuts += t.text.rfind(" mx ", 0) == 0;
        }
        EXPECT_EQ(readOuts == 0, debug[0] == '\0');
        int patches = 0;
        for (const auto& d : standin::drawsOf(app::Assets.background)) {
            patches += d.sw == 70 && d.sh == 80 && d.dx == 0 && d.dy == 0;
        }
        EXPECT_EQ(patches == 0, debug[0] == '\0');
    }
}

TEST_F(SaveDialog, YesStoresAResumedGameUnderItsOldName) {
    saves::currentSaveName = "stary";
    folder.write("stary", "old");
    const std::string text = saves::storedGameText();
    answer(390).install();
    saves::saveDialog(Escape::Ignored);
    EXPECT_EQ(folder.read("stary"), text);
    EXPECT_EQ(folder.read("zg.txt"), "2");
    EXPECT_TRUE(saves::currentSaveName.empty());
    EXPECT_EQ(standin::textsWith("Gra zapisana pod starą nazwą").size(), 1u);
    EXPECT_TRUE(standin::textsWith(kPrompt).empty());
}

// The answer's first letter in either language: T ("tak") and Y ("yes") store.
TEST_F(SaveDialog, TAndYAnswerYes) {
    for (const int yesKey : {ALLEGRO_KEY_T, ALLEGRO_KEY_Y}) {
        SetUp();
        saves::currentSaveName = "stary";
        folder.write("stary", "old");
        driver::Steps steps;
        steps.whenShown(kQuestion, kAsking, [yesKey] { standin::pressKey(yesKey, 0); }).install();
        saves::saveDialog(Escape::Ignored);
        EXPECT_NE(folder.read("stary"), "old") << yesKey;
    }
}

TEST_F(SaveDialog, YesStoresANewGameUnderTheTypedPasswordAndCountsIt) {
    const std::tuple<const char*, std::vector<Key>, std::string> cases[] = {
        {"ASCII 48 to 122 and Polish letters; Backspace takes a whole letter",
         keys({' ', '.', '-', '{', '/', 260, 'x', 380, 8, 'y', 380, 13}), "xyż"},
        {"seventeen bytes at most, no half letter",
         driver::typed(std::string(16, 'a')) + keys({261, 'b', 13}), std::string(16, 'a') + "b"},
        {"Enter waits for a password; Escape confirms one", keys({13, 'k', '1', 27}), "k1"},
        {"an existing password is stored over and still counts", driver::typedThenEnter("abc"),
         "abc"},
    };
    for (const auto& [what, typed, name] : cases) {
        SCOPED_TRACE(what);
        SetUp();
        folder.write("abc", "old");
        const std::string text = saves::storedGameText();
        answer(390)
            .whenShown(
                kPrompt, kTyping,
                [] { EXPECT_EQ(SaveIndex.count, 3) << "the count rises as the entry begins"; })
            .after(0, typing(typed))
            .install();
        saves::saveDialog(Escape::Ignored);
        EXPECT_EQ(folder.read(name), text);
        EXPECT_EQ(fixture::textsAt(377, 554).back(), name);
        EXPECT_EQ(folder.read("zg.txt"), "3");
        EXPECT_TRUE(saves::currentSaveName.empty());
        EXPECT_EQ(GameState.level, 1) << "what remains is a new game";
        EXPECT_FALSE(app::keyWaiting()) << "no confirming key left behind";
    }
}

// The first prompt does not say Escape ends the game, so there it gives the game back.
TEST_F(SaveDialog, EscapeOnTheFirstEmptyFieldGivesTheGameBackUnstored) {
    answer(390).whenShown(kPrompt, kTyping, typing(keys({27}))).install();
    EXPECT_EQ(saves::saveDialog(Escape::Ignored), saves::SaveEnd::GameGoesOn);
    EXPECT_EQ(fixture::fileCount(folder), 0);
    EXPECT_EQ(SaveIndex.count, 2);
    EXPECT_EQ(GameState.level, 3) << "the game goes on";
    EXPECT_FALSE(app::keyWaiting());
}

// Asked because the window's close was pressed: Escape says no. Keys pressed before the
// question showed (while its strip opened) answer nothing.
TEST_F(SaveDialog, OnlyKeysPressedWhileTheQuestionShowsAnswerItAndEscapeMayDecline) {
    for (const auto escape : {Escape::Ignored, Escape::Declines}) {
        SetUp();
        saves::currentSaveName = "stary";
        folder.write("stary", "old");
        bool nPressed = false;
        driver::Steps steps;
        steps.after(2, [] { standin::pressKey(ALLEGRO_KEY_T, 't'); })
            .whenShown(kQuestion, kAsking, [] { standin::pressKey(ALLEGRO_KEY_ESCAPE, 27); })
            .after(60,
                   [&nPressed] {
                       nPressed = true;
                       standin::pressKey(ALLEGRO_KEY_N, 'n');
                   })
            .install();
        EXPECT_EQ(saves::saveDialog(escape), saves::SaveEnd::Declined);
        EXPECT_EQ(folder.read("stary"), "old") << "the early T stored nothing";
        EXPECT_EQ(nPressed, escape == Escape::Ignored) << "Escape declined only when asked to";
    }
}

// The count on disk must include every stored game, or after a restart the load dialog
// may say there is none: a count that cannot be written fails the store of a new game.
TEST_F(SaveDialog, ACountThatCannotBeWrittenFailsTheStoreOfANewGameOnly) {
    fixture::blockWithFolder(folder, "zg.txt");
    folder.write("stary", "old");
    const std::string text = saves::storedGameText();
    answer(390)
        .whenShown(kPrompt, kTyping, typing(driver::typedThenEnter("nowa")))
        .whenShown(kRetryPrompt, kTyping, typing(driver::typedThenEnter("stary")))
        .install();
    saves::saveDialog(Escape::Ignored);
    EXPECT_EQ(standin::textsWith(kFailed).size(), 1u);
    EXPECT_FALSE(folder.exists("nowa")) << "the game this store created is taken back";
    EXPECT_EQ(folder.read("stary"), text) << "a stored game already counted is replaced";
    EXPECT_EQ(GameState.level, 1);
}

// A count the game refused to read counts no new game: the store fails before anything is
// written, so a link under the password's name stays a link.
TEST_F(SaveDialog, ACountThatCouldNotBeReadStoresNoNewGameAndWritesNothing) {
    folder.write("elsewhere", "kept");
    std::filesystem::create_symlink(folder.path() / "elsewhere", folder.path() / "nowa");
    SaveIndex.refused = true;
    answer(390)
        .whenShown(kPrompt, kTyping, typing(driver::typedThenEnter("nowa")))
        .whenShown(kRetryPrompt, kTyping, typing(keys({27})))
        .install();
    saves::saveDialog(Escape::Ignored);
    EXPECT_EQ(standin::textsWith(kFailed).size(), 1u);
    EXPECT_TRUE(std::filesystem::is_symlink(folder.path() / "nowa"));
    EXPECT_EQ(folder.read("elsewhere"), "kept");
}

TEST_F(SaveDialog, AStoreThatFailsKeepsTheCountAndAsksForAnotherPasswordOrEscape) {
    // The old name, made unwritable (none: "gr" is typed and fails), the keys then typed,
    // and the password stored (none: given up).
    const std::tuple<const char*, std::string, std::vector<Key>, std::string> cases[] = {
        {"a new game, then another password", "", driver::typedThenEnter("ok1"), "ok1"},
        {"a new game, then Escape", "", keys({27}), ""},
        {"a resumed game, then another password", "stary", driver::typedThenEnter("nowe"), "nowe"},
        {"a resumed game, then Escape: it keeps its name", "stary", keys({27}), ""},
    };
    for (const auto& [what, resumed, retry, stored] : cases) {
        SCOPED_TRACE(what);
        SetUp();
        const std::string blocked = resumed.empty() ? "gr" : resumed;
        fixture::blockWithFolder(folder, blocked);
        std::filesystem::remove("zg.txt");
        saves::currentSaveName = resumed;
        const std::string text = saves::storedGameText();
        driver::Steps steps = answer(390);
        if (resumed.empty()) {
            steps.whenShown(kPrompt, kTyping, typing(driver::typedThenEnter("gr")));
        }
        steps.whenShown(kFailed, 1, [] { EXPECT_EQ(SaveIndex.count, 2); })
            .whenShown(kRetryPrompt, kTyping, typing(retry))
            .install();
        // The retry prompt says Escape stores nothing: there it ends the game unstored.
        EXPECT_EQ(saves::saveDialog(Escape::Ignored),
                  stored.empty() ? saves::SaveEnd::Declined : saves::SaveEnd::Stored);
        EXPECT_EQ(standin::textsWith(kFailed).size(), 1u);
        EXPECT_TRUE(standin::textsWith("Gra zapisana pod starą nazwą").empty())
            << "no success shown for a store that failed";
        EXPECT_EQ(folder.read(blocked + "/keep"), "x");
        EXPECT_EQ(SaveIndex.count, stored.empty() ? 2 : 3);
        EXPECT_EQ(folder.read("zg.txt"), stored.empty() ? "" : "3");
        if (!stored.empty()) {
            EXPECT_EQ(folder.read(stored), text);
        }
        EXPECT_EQ(saves::currentSaveName, stored.empty() ? resumed : "");
    }
}

} // namespace
