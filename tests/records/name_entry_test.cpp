#include "app/assets.hpp"
#include "board/game_state.hpp"
#include "records/fixture.hpp"
#include "records/high_scores.hpp"
#include "records/name_entry.hpp"
#include "saves/save_index.hpp"

namespace {

using board::GameState;
using driver::Key;
using fixture::keys;

// Rows brightened in the list screen's buffer (through the scratch layer: Allegro cannot
// draw a bitmap onto itself), by their top.
std::vector<float> highlightedRows() {
    std::vector<float> out;
    for (const auto& d : standin::drawsOf(app::Assets.scratch)) {
        if (d.tinted && d.target == app::Assets.screen) {
            out.push_back(d.sy);
        }
    }
    return out;
}

class NameEntry : public fixture::Screen {
  protected:
    void SetUp() override {
        fixture::Screen::SetUp();
        records::HighScoreList = {};
        records::newEntryIndex = 0;
        GameState.nameEntryDue = 1;
        GameState.level = 3;
        GameState.score = 1250;
        driver::keepClicking(400, 540); // leaves the list screen that follows at once
    }

    // Runs the entry with `keys` pressed as the strip unfolds; returns the first name of
    // the list file it stored.
    static std::string enterName(const std::vector<Key>& keys) {
        support::FrameScript script;
        script.at(1, [keys] { driver::press(keys); });
        driver::giveUpAfter(script).install();
        records::nameEntry(saves::discardStoredGame);
        records::readList();
        return records::HighScoreList.entry[1].name;
    }
};

TEST_F(NameEntry, ANameEndedByEnterIsRecordedAndItsRowHighlightedAndTheGameEnds) {
    folder.write("lir.txt", records::encodeListText("Al 8 900 Bo 7 800 Cy 6 100 "));
    saves::SaveIndex.count = 2;
    saves::currentSaveName = "abc"; // a resumed game: its stored file goes
    folder.write("abc", "stored");
    GameState.score = 500;
    enterName(driver::typedThenEnter("Ab1"));
    EXPECT_EQ(records::decodeListText(folder.read("lir.txt")).substr(0, 34),
              "Al 8 900 Bo 7 800 Ab1 3 500 Cy 6 1");
    EXPECT_EQ(standin::textsWith("Wpisz swoje imię:").size(), 1u);
    EXPECT_EQ(highlightedRows(), std::vector<float>{151}); // row 3
    EXPECT_EQ(standin::log().stopSamplesCalls, 1) << "a fade-out or the menu after the list";
    EXPECT_TRUE(standin::textsWith("Nowa gra").empty());
    EXPECT_EQ(GameState.score, 0);
    EXPECT_EQ(GameState.nameEntryDue, 0);
    EXPECT_EQ(records::newEntryIndex, 0);
    EXPECT_FALSE(folder.exists("abc"));
    EXPECT_EQ(folder.read("zg.txt"), "1");
}

// Every key arrives as X11 posts it: down, the character (repeated while held), up.
TEST_F(NameEntry, KeysAsTheKeyboardDeliversThemAreTakenAsTheFieldsRulesSay) {
    const std::string fifteen = "abcdefghijklmno";
    const std::tuple<const char*, std::vector<Key>, std::string> cases[] = {
        {"a held key repeats", {Key{'a', 3}, Key{'b'}, driver::enter()}, "aaaab"},
        {"ASCII 48 to 122 and nothing around",
         keys({47, 48, 57, 58, 64, 65, 90, 91, 96, 97, 122, 123, 32, 127, 200, 9, 13}),
         "09:@AZ[`az"},
        {"Polish letters", keys({243, 261, 263, 281, 321, 322, 324, 346, 13}), "óąćęŁłńŚ"},
        {"the last Polish letters; Ą Ć Ę Ń Ó Ź and others add nothing",
         keys({347, 378, 379, 380, 260, 262, 280, 323, 211, 377, 345, 13}), "śźŻż"},
        {"seventeen bytes at most", driver::typedThenEnter(fifteen + "pqr"), fifteen + "pq"},
        {"a Polish letter does not fit into the last byte",
         driver::typed(fifteen + "p") + keys({261, 13}), fifteen + "p"},
        {"a Polish letter fills the last two bytes", driver::typed(fifteen) + keys({261, 13}),
         fifteen + "ą"},
        {"Backspace removes a whole Polish letter, also after a key of no character",
         keys({8, 'a', 'b', 380, 8, 'c', 'd', 380, 0xC5, 8, 8, 13}), "abc"},
        {"Enter and Escape on an empty name keep the entry open, then either ends it",
         keys({13, 27, 'a', 8, 27, 'O', 'k', 27}), "Ok"},
    };
    for (const auto& [what, typed, name] : cases) {
        SCOPED_TRACE(what);
        SetUp();
        std::filesystem::remove(folder.path() / "lir.txt");
        EXPECT_EQ(enterName(typed), name);
    }
}

TEST_F(NameEntry, ATimedGameAfterTheLastLevelEntersTheTimedListAtLevelEight) {
    GameState.mode = board::GameMode::Timed;
    GameState.level = 9;
    EXPECT_EQ(enterName(driver::typedThenEnter("Neptun")), "Neptun");
    EXPECT_EQ(records::decodeListText(folder.read("lic.txt")).substr(0, 14), "Neptun 8 1250 ");
    EXPECT_EQ(GameState.level, 8);
    EXPECT_FALSE(folder.exists("lir.txt"));
}

TEST_F(NameEntry, AResultOutsideTheListIsStoredUnchangedAndNotHighlighted) {
    std::string full;
    for (int i = 1; i <= 20; ++i) {
        full += std::to_string(i) + "P 5 " + std::to_string(100000 - i) + " ";
    }
    folder.write("lir.txt", records::encodeListText(full + "... 0 0 "));
    enterName(driver::typedThenEnter("Maly"));
    EXPECT_EQ(records::decodeListText(folder.read("lir.txt")), full + "... 0 0 ");
    EXPECT_TRUE(highlightedRows().empty());
}

TEST_F(NameEntry, ARecordedResultShowsEvenWhenItsFileCannotBeWrittenAndThePlayerIsTold) {
    fixture::blockWithFolder(folder, "lir.txt.~new");
    enterName(driver::typedThenEnter("Ewa"));
    EXPECT_EQ(fixture::textsAt(250, 110), std::vector<std::string>{"Ewa"}); // row 1
    EXPECT_EQ(standin::textsWith("Nie udało się zapisać wyniku").size(), 1u);
    EXPECT_FALSE(folder.exists("lir.txt"));
}

// Closing the window during the entry keeps the finished game's result, under the name
// typed so far; a name too short to show gets the list's placeholder.
TEST_F(NameEntry, ClosingTheWindowRecordsTheResultUnderTheNameTypedSoFar) {
    saves::SaveIndex.count = 2;
    saves::currentSaveName = "abc"; // a resumed game: its stored file goes once recorded
    folder.write("abc", "stored");
    for (const auto& [typed, name] : {std::pair{"Zo", "Zo"}, std::pair{"Z", "..."}}) {
        SCOPED_TRACE(typed);
        std::filesystem::remove(folder.path() / "lir.txt");
        support::FrameScript script;
        script.at(1, [typed] { driver::press(driver::typed(typed)); });
        script.at(60, [] { standin::clickWindowClose(); });
        script.install();
        EXPECT_EXIT(records::nameEntry(saves::discardStoredGame), ::testing::ExitedWithCode(0), "");
        const std::string first = std::string(name) + " 3 1250 ";
        EXPECT_EQ(records::decodeListText(folder.read("lir.txt")).substr(0, first.size()), first);
    }
    EXPECT_FALSE(folder.exists("abc"));
    EXPECT_EQ(folder.read("zg.txt"), "1");
}

TEST_F(NameEntry, NothingHappensWhenNoEntryIsDue) {
    GameState.nameEntryDue = 0;
    records::nameEntry();
    EXPECT_EQ(standin::log().flips, 0);
    EXPECT_EQ(GameState.score, 1250);
    EXPECT_FALSE(folder.exists("lir.txt"));
}

} // namespace
