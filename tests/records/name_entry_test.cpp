#include "app/assets.hpp"
#include "board/game_state.hpp"
#include "records/high_scores.hpp"
#include "records/name_entry.hpp"
#include "saves/save_index.hpp"
#include "support/headless.hpp"
#include "support/screen_driver.hpp"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

using board::GameState;
using driver::Key;
using records::HighScoreList;

constexpr int kOgonekA = 261; // ą, C4 85
constexpr int kDotZ = 380;    // ż, C5 BC

class NameEntry : public ::testing::Test {
  protected:
    void SetUp() override {
        support::startHeadless();
        records::HighScoreList = records::HighScoreListRecord{};
        records::newEntryIndex = 0;
        standin::log() = standin::Log{};
        GameState.nameEntryDue = 1;
        GameState.level = 3;
        GameState.score = 1250;
        // The list screen that follows is left by a click on its return button.
        standin::setMouse(400, 540, 1);
    }

    // Runs the name entry with `keys` pressed while the strip unfolds and returns the
    // name that was recorded.
    std::string enterName(const std::vector<Key>& keys) {
        support::FrameScript script;
        script.at(1, [keys] { driver::press(keys); });
        driver::giveUpAfter(script).install();
        records::nameEntry();
        return recordedName();
    }

    // The stored first entry, read back from the file the entry wrote.
    std::string recordedName() {
        records::readList();
        return HighScoreList.entry[records::newEntryIndex == 0 ? 1 : records::newEntryIndex].name;
    }

    // Names drawn in the field, pass by pass.
    static std::vector<std::string> fieldTexts() {
        std::vector<std::string> out;
        for (const auto& t : standin::log().texts) {
            if (t.x == 300 && t.y == 554) {
                out.push_back(t.text);
            }
        }
        return out;
    }

    support::ScratchFolder folder;
};

TEST_F(NameEntry, TypedCharactersThenEnterRecordThatNameAndEndTheGame) {
    EXPECT_EQ(enterName(driver::typedThenEnter("Ab1")), "Ab1");
    EXPECT_EQ(HighScoreList.entry[1].level, 3);
    EXPECT_EQ(HighScoreList.entry[1].score, 1250);
    EXPECT_EQ(GameState.score, 0);
    EXPECT_EQ(GameState.nameEntryDue, 0);
    EXPECT_EQ(records::newEntryIndex, 0);
    EXPECT_EQ(records::decodeListText(folder.read("lir.txt")).substr(0, 11), "Ab1 3 1250 ");
}

TEST_F(NameEntry, EachKeyAddsItsCharacterOnceAsTheKeyboardDeliversIt) {
    // Down, character and up arrive as three events; only the character is typed, and
    // the last event is not taken again while the queue stays empty.
    enterName(driver::typedThenEnter("xy"));
    std::vector<std::string> typedPasses;
    for (const std::string& text : fieldTexts()) {
        if (!text.empty()) {
            typedPasses.push_back(text);
        }
    }
    EXPECT_EQ(typedPasses, (std::vector<std::string>{"x", "xy", "xy"}));
}

TEST_F(NameEntry, KeysAreTakenAsTheRulesOfTheFieldSay) {
    auto keys = [](std::initializer_list<int> unichars) {
        std::vector<Key> out;
        for (int c : unichars) {
            out.push_back({c});
        }
        return out;
    };
    const std::string fifteen = "abcdefghijklmno";
    struct Case {
        const char* what;
        std::vector<Key> keys;
        std::string name;
    };
    const Case cases[] = {
        {"a held key repeats", {Key{'a', 3}, Key{'b'}}, "aaaab"},
        {"ASCII 48 to 122 and nothing around",
         keys({47, 48, 57, 58, 64, 65, 90, 91, 96, 97, 122, 123, 32, 127, 200, 9}), "09:@AZ[`az"},
        {"the Polish letters, two bytes each", keys({243, 261, 263, 281, 321, 322, 324, 346}),
         "óąćęŁłńŚ"},
        {"the last Polish letters; Ą Ć Ę Ń Ó Ź and other letters add nothing",
         keys({347, 378, 379, 380, 260, 262, 280, 323, 211, 377, 345}), "śźŻż"},
        {"seventeen bytes at most", driver::typed(fifteen + "pqr"), fifteen + "pq"},
        {"a Polish letter does not fit into the last byte",
         driver::typed(fifteen + "p") + keys({kOgonekA}), fifteen + "p"},
        {"a Polish letter fills the last two bytes", driver::typed(fifteen) + keys({kOgonekA}),
         fifteen + "ą"},
        {"Backspace removes a whole Polish letter, also after a key of no character",
         std::vector<Key>{driver::backspace()} + keys({'a', 'b', kDotZ}) +
             std::vector<Key>{driver::backspace()} + keys({'c', 'd', kDotZ, 0xC5}) +
             std::vector<Key>{driver::backspace(), driver::backspace()},
         "abc"},
        {"Enter and Escape on an empty name keep the entry open",
         std::vector<Key>{driver::enter(),
                          driver::escape(),
                          {'a'},
                          driver::backspace(),
                          driver::escape(),
                          {'O'},
                          {'k'},
                          driver::escape()},
         "Ok"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SetUp();
        std::filesystem::remove(folder.path() / "lir.txt");
        const bool escapeEnds = !c.keys.empty() && c.keys.back().unichar == 27;
        EXPECT_EQ(enterName(escapeEnds ? c.keys : c.keys + std::vector<Key>{driver::enter()}),
                  c.name);
    }
}

TEST_F(NameEntry, TheCaretBlinksOnlyWhileTheNameIsEmpty) {
    support::FrameScript script;
    script.at(60, [] { driver::press(driver::typedThenEnter("Jan")); });
    driver::giveUpAfter(script).install();
    records::nameEntry();

    int firstTyped = -1;
    for (const auto& t : standin::log().texts) {
        if (t.x == 300 && t.y == 554 && !t.text.empty()) {
            firstTyped = t.frame;
            break;
        }
    }
    ASSERT_GT(firstTyped, 0);
    int bright = 0, dark = 0;
    for (const auto& t : standin::textsWith("_")) {
        EXPECT_EQ(t.x, 300);
        EXPECT_EQ(t.y, 553);
        // The dark caret of the pass that takes the first letter shares its frame.
        EXPECT_LE(t.frame, firstTyped) << "caret drawn after a letter was typed";
        const auto c = standin::rgba(t.colour);
        bright += c == standin::Rgba{160, 160, 160, 255};
        dark += c == standin::Rgba{0, 18, 30, 255};
    }
    EXPECT_GT(bright, 3);
    EXPECT_GT(dark, 3);
}

TEST_F(NameEntry, TheStripUnfoldsWithItsPromptAroundRow569) {
    enterName(driver::typedThenEnter("Ewa"));
    EXPECT_EQ(standin::textsWith("Wpisz swoje imię:").size(), 1u);
    const auto strips = standin::drawsOf(app::Assets.strip);
    ASSERT_EQ(strips.size(), 19u); // none at the first step
    EXPECT_EQ(strips.back().sh, 37);
    EXPECT_EQ(strips.back().dy, 569 - 19);
}

TEST_F(NameEntry, AResultAfterTheLastLevelIsRecordedWithLevelEight) {
    GameState.level = 9;
    enterName(driver::typedThenEnter("Neptun"));
    EXPECT_EQ(HighScoreList.entry[1].level, 8);
    EXPECT_EQ(GameState.level, 8);
}

TEST_F(NameEntry, AResultOutsideTheListIsStoredUnchangedAndNotHighlighted) {
    std::string plain;
    for (int i = 1; i <= 20; ++i) {
        plain += "P" + std::to_string(i) + " 5 " + std::to_string(100000 - i) + " ";
    }
    folder.write("lir.txt", records::encodeListText(plain + "... 0 0 "));
    enterName(driver::typedThenEnter("Maly"));
    EXPECT_EQ(records::decodeListText(folder.read("lir.txt")), plain + "... 0 0 ");
    for (const auto& d : standin::drawsOf(app::Assets.screen)) {
        EXPECT_FALSE(d.target == app::Assets.screen && d.tinted) << "a row was highlighted";
    }
}

TEST_F(NameEntry, TheTimedGameEntersTheTimedList) {
    GameState.mode = board::GameMode::Timed;
    enterName(driver::typedThenEnter("Szybki"));
    EXPECT_TRUE(folder.exists("lic.txt"));
    EXPECT_FALSE(folder.exists("lir.txt"));
}

TEST_F(NameEntry, FinishingAResumedGameDeletesItsStoredFile) {
    saves::SaveIndex.count = 2;
    saves::currentSaveName = "abc";
    folder.write("abc", "stored");
    enterName(driver::typedThenEnter("Ewa"));
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
