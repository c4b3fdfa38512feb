#include "app/return_button.hpp"
#include "app/settings.hpp"
#include "app/startup.hpp"
#include "board/game_state.hpp"
#include "files/player_files.hpp"
#include "game/settings_files.hpp"
#include "records/fixture.hpp"
#include "records/high_scores.hpp"
#include "records/name_entry.hpp"
#include "records/options.hpp"
#include "records/options_screen.hpp"
#include "saves/save_index.hpp"

#include <sys/stat.h>

namespace {

using board::GameState;
using files::FileRead;
using records::encodeListText;
using records::HighScoreList;

namespace fs = std::filesystem;

// Whatever a planted link points at must come out of every write untouched.
class PlayerFiles : public fixture::Screen {
  protected:
    void plantLink(const std::string& name) const {
        folder.write("decoy", "decoy");
        fs::create_symlink(folder.path() / "decoy", folder.path() / name);
    }
    void expectDecoyUntouched() const { EXPECT_EQ(folder.read("decoy"), "decoy"); }
};

TEST_F(PlayerFiles, NoFileIsEverWrittenThroughALinkPlantedUnderItsOwnOrItsTemporaryName) {
    for (const char* name : {"opc.txt.~new", "opc.txt"}) {
        SCOPED_TRACE(name);
        plantLink(name);
        ASSERT_TRUE(records::writeOptionsFile());
        expectDecoyUntouched();
        EXPECT_FALSE(fs::is_symlink(folder.path() / "opc.txt"));
        EXPECT_EQ(folder.read("opc.txt"), records::optionsFileText());
        fs::remove(folder.path() / "opc.txt");
    }
    // The decoded copy a list is read through, planted before a list is read.
    folder.write("lir.txt", encodeListText("Ala 3 900 "));
    plantLink("xh.txt");
    records::readList();
    expectDecoyUntouched();
    EXPECT_FALSE(folder.exists("xh.txt"));
    EXPECT_EQ(HighScoreList.entry[1].name, "Ala");
}

TEST_F(PlayerFiles, OnlyARegularFileIsReadAndAPipeNeverWaitedOn) {
    std::string text;
    EXPECT_EQ(files::readPlayerFile("none", 100, text), FileRead::Missing);
    folder.write("plain", "0.5 0.5 1");
    EXPECT_EQ(files::readPlayerFile("plain", 3, text), FileRead::Read);
    EXPECT_EQ(text, "0.5") << "no more than asked for";
    plantLink("link");
    fs::create_directory(folder.path() / "dir");
    ASSERT_EQ(mkfifo((folder.path() / "pipe").c_str(), 0600), 0);
    for (const char* name : {"link", "dir", "pipe"}) {
        EXPECT_EQ(files::readPlayerFile(name, 100, text), FileRead::Unreadable) << name;
        EXPECT_TRUE(text.empty());
    }
    // The settings and the lists from a pipe: start-up and the list go on at once.
    ASSERT_EQ(mkfifo((folder.path() / "opc.txt").c_str(), 0600), 0);
    ASSERT_EQ(mkfifo((folder.path() / "lir.txt").c_str(), 0600), 0);
    game::readSettingsFiles();
    EXPECT_EQ(GameState.mode, 0);
    records::readList();
    EXPECT_FALSE(records::listReadable);
}

// A list that is there but cannot be read is not an empty list: writing the new result
// over it would lose every result it holds. A decoded copy that cannot be made (here a
// directory under its name; a full disk or a read-only folder alike) does not hide the list.
TEST_F(PlayerFiles, AListThatCannotBeReadIsKeptAndTheResultStillShown) {
    const std::string twenty = encodeListText(fixture::repeat("Ola 8 5000 ", 20));
    const std::pair<const char*, std::function<void()>> cases[] = {
        {"a directory in place of the decoded copy",
         [this] { fixture::blockWithFolder(folder, "xh.txt"); }},
        {"the list a link to the player's own list elsewhere",
         [this] {
             fs::rename(folder.path() / "lic.txt", folder.path() / "decoy");
             fs::create_symlink(folder.path() / "decoy", folder.path() / "lic.txt");
         }},
    };
    for (const auto& [what, damage] : cases) {
        SCOPED_TRACE(what);
        SetUp();
        for (const char* name : {"xh.txt", "lic.txt", "decoy"}) {
            fs::remove_all(folder.path() / name);
        }
        folder.write("lic.txt", twenty);
        damage();
        const std::string before = folder.read("lic.txt");
        GameState = {.mode = 1, .level = 2, .score = 9000, .nameEntryDue = 1};
        driver::keepClicking(400, 540); // leaves the list screen at once
        support::FrameScript script;
        script.at(1, [] { driver::press(driver::typedThenEnter("Ewa")); });
        driver::giveUpAfter(script).install();
        records::nameEntry();
        EXPECT_EQ(fixture::textsAt(250, 110), std::vector<std::string>{"Ewa"}) << "shown, row 1";
        if (fs::is_directory(folder.path() / "xh.txt")) {
            EXPECT_EQ(records::decodeListText(folder.read("lic.txt")),
                      "Ewa 2 9000 " + fixture::repeat("Ola 8 5000 ", 19) + "... 0 0 ");
            EXPECT_TRUE(standin::textsWith("Nie udało się zapisać wyniku").empty());
            continue;
        }
        EXPECT_EQ(folder.read("lic.txt"), before);
        EXPECT_EQ(standin::textsWith("Nie udało się zapisać wyniku").size(), 1u);
    }
}

// A resumed relaxed game ends in the name entry, given the discarding as the game gives it.
void enterNameAfterResumedGame() {
    GameState = {.mode = 0, .level = 2, .score = 900, .nameEntryDue = 1};
    driver::keepClicking(400, 540); // leaves the list screen at once
    support::FrameScript script;
    script.at(1, [] { driver::press(driver::typedThenEnter("Ewa")); });
    driver::giveUpAfter(script).install();
    records::nameEntry(saves::discardStoredGame);
}

// A finished resumed game: its result is stored first, then the lowered count, and only
// then does its stored game go, so a failure (or a crash) between them loses nothing and
// "zg.txt" never counts a game that is gone.
TEST_F(PlayerFiles, AResumedGameIsDiscardedOnlyOnceItsResultAndTheLoweredCountAreStored) {
    saves::SaveIndex.count = 2;
    saves::currentSaveName = "abc";
    folder.write("abc", "stored");
    folder.write("zg.txt", "2");
    fixture::blockWithFolder(folder, "lir.txt.~new"); // the list cannot be replaced
    enterNameAfterResumedGame();
    EXPECT_FALSE(folder.exists("lir.txt"));
    EXPECT_EQ(folder.read("abc"), "stored");
    fs::remove_all(folder.path() / "lir.txt.~new");
    fixture::blockWithFolder(folder, "zg.txt.~new"); // nor, then, the count
    enterNameAfterResumedGame();
    EXPECT_TRUE(folder.exists("lir.txt"));
    EXPECT_EQ(folder.read("abc"), "stored");
    EXPECT_EQ(saves::SaveIndex.count, 2);
    EXPECT_EQ(folder.read("zg.txt"), "2");
    fs::remove_all(folder.path() / "zg.txt.~new");
    enterNameAfterResumedGame();
    EXPECT_FALSE(folder.exists("abc"));
    EXPECT_EQ(folder.read("zg.txt"), "1");
}

// Options start-up could not read are the player's still: the options screen's changes
// hold for this run, the file stays, and leaving says once that nothing was stored.
TEST_F(PlayerFiles, OptionsThatCouldNotBeReadAreKeptWhileTheChangesHoldForTheRun) {
    plantLink("opc.txt");
    SetUp();
    ASSERT_TRUE(app::Settings.optionsFileRefused);
    auto script = driver::inLoopOf(app::kPageReturn.plateAt.x, app::kPageReturn.plateAt.y);
    script.at(driver::loopFrame(0) + 5, [] {
        standin::pressKey(ALLEGRO_KEY_DOWN, 0);
        standin::pressKey(ALLEGRO_KEY_RIGHT, 0); // the music one step up
        standin::pressKey(ALLEGRO_KEY_ESCAPE, 27);
    });
    driver::giveUpAfter(script).install();
    records::optionsScreen();
    EXPECT_FLOAT_EQ(app::Settings.musicVolume, 0.01f);
    EXPECT_EQ(standin::textsWith("Nie udało się zapisać ustawień").size(), 1u);
    EXPECT_TRUE(fs::is_symlink(folder.path() / "opc.txt"));
    expectDecoyUntouched();
    // Told once a run: the next visit leaves without saying it again.
    standin::log() = standin::Log{};
    driver::giveUpAfter(script).install();
    records::optionsScreen();
    EXPECT_TRUE(standin::textsWith("Nie udało się zapisać ustawień").empty());
    EXPECT_TRUE(fs::is_symlink(folder.path() / "opc.txt"));
}

// A count that is a link to the player's own file holding 3 is not a count of 0: a game
// resumed from it and finished keeps the link, the file and its stored game.
TEST_F(PlayerFiles, ACountThatCouldNotBeReadIsNeverReplacedByARecordedGame) {
    folder.write("decoy", "3");
    fs::create_symlink(folder.path() / "decoy", folder.path() / "zg.txt");
    folder.write("abc", "stored");
    SetUp(); // start-up reads the count through the link no more than a list
    ASSERT_TRUE(saves::SaveIndex.refused);
    saves::currentSaveName = "abc";
    enterNameAfterResumedGame();
    EXPECT_TRUE(folder.exists("lir.txt")) << "the result itself is stored";
    EXPECT_TRUE(fs::is_symlink(folder.path() / "zg.txt"));
    EXPECT_EQ(folder.read("decoy"), "3");
    EXPECT_EQ(folder.read("abc"), "stored");
    EXPECT_FALSE(saves::writeSaveIndex()) << "nor by anything else this run";
}

} // namespace
