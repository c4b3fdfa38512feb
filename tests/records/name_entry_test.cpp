#include "app/assets.hpp"
#include "board/game_state.hpp"
#include "records/high_scores.hpp"
#include "records/name_entry.hpp"
#include "records/screen_driver.hpp"
#include "saves/save_index.hpp"
#include "support/headless.hpp"

#include <gtest/gtest.h>

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

TEST_F(NameEntry, TypedCharactersThenEnterRecordThatName) {
    EXPECT_EQ(enterName(driver::typed("Ab1") + std::vector<Key>{driver::enter()}), "Ab1");
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
    enterName(driver::typed("xy") + std::vector<Key>{driver::enter()});
    // One character per pass: the key events around it do not cost passes of their own.
    std::vector<std::string> typedPasses;
    for (const std::string& text : fieldTexts()) {
        if (!text.empty()) {
            typedPasses.push_back(text);
        }
    }
    EXPECT_EQ(typedPasses, (std::vector<std::string>{"x", "xy", "xy"}));
    EXPECT_EQ(HighScoreList.entry[1].name, "xy");
}

TEST_F(NameEntry, AHeldKeyRepeats) {
    EXPECT_EQ(enterName({Key{'a', 3}, Key{'b'}, driver::enter()}), "aaaab");
}

TEST_F(NameEntry, AcceptsZeroToSmallZAndNothingAround) {
    std::vector<Key> keys;
    for (int c : {47, 48, 57, 58, 64, 65, 90, 91, 96, 97, 122, 123, 32, 127, 200, 9}) {
        keys.push_back({c});
    }
    keys.push_back(driver::enter());
    EXPECT_EQ(enterName(keys), "09:@AZ[`az");
}

TEST_F(NameEntry, TheTwelvePolishLettersAddTheirTwoBytes) {
    std::vector<Key> keys;
    for (int c : {243, 261, 263, 281, 321, 322, 324, 346}) {
        keys.push_back({c});
    }
    keys.push_back(driver::enter());
    EXPECT_EQ(enterName(keys), "óąćęŁłńŚ");
}

TEST_F(NameEntry, TheLastPolishLettersAndNoOtherCapitals) {
    std::vector<Key> keys;
    // ś ź Ż ż, then Ą Ć Ę Ń Ó Ź which add nothing, and a letter above 200 that is not ours.
    for (int c : {347, 378, 379, 380, 260, 262, 280, 323, 211, 377, 345}) {
        keys.push_back({c});
    }
    keys.push_back(driver::enter());
    EXPECT_EQ(enterName(keys), "śźŻż");
}

TEST_F(NameEntry, SeventeenBytesAtMost) {
    const std::string seventeen = "abcdefghijklmnopq";
    EXPECT_EQ(enterName(driver::typed(seventeen + "r") + std::vector<Key>{driver::enter()}),
              seventeen);
}

TEST_F(NameEntry, APolishLetterDoesNotFitIntoTheLastByte) {
    const std::string sixteen = "abcdefghijklmnop";
    EXPECT_EQ(enterName(driver::typed(sixteen) + std::vector<Key>{{kOgonekA}, driver::enter()}),
              sixteen);
}

TEST_F(NameEntry, APolishLetterFillsTheLastTwoBytes) {
    const std::string fifteen = "abcdefghijklmno";
    EXPECT_EQ(enterName(driver::typed(fifteen) + std::vector<Key>{{kOgonekA}, driver::enter()}),
              fifteen + "ą");
}

TEST_F(NameEntry, BackspaceRemovesAWholePolishLetter) {
    std::vector<Key> keys = {driver::backspace(),
                             {'a'},
                             {'b'},
                             {kDotZ},
                             driver::backspace(),
                             {'c'},
                             {'d'},
                             {kDotZ},
                             {'\xC5'},
                             driver::backspace(),
                             driver::backspace(),
                             driver::enter()};
    // The key '\xC5' is no character of ours: Backspace after it removes the ż whole.
    EXPECT_EQ(enterName(keys), "abc");
}

TEST_F(NameEntry, EnterAndEscapeOnAnEmptyNameKeepTheEntryOpen) {
    std::vector<Key> keys = {
        driver::enter(), driver::escape(), {'a'}, driver::backspace(), driver::escape(), {'O'},
        {'k'},           driver::escape()};
    EXPECT_EQ(enterName(keys), "Ok");
}

TEST_F(NameEntry, TheCaretBlinksOnlyWhileTheNameIsEmpty) {
    support::FrameScript script;
    script.at(60, [] { driver::press(driver::typed("Jan") + std::vector<Key>{driver::enter()}); });
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
    enterName(driver::typed("Ewa") + std::vector<Key>{driver::enter()});
    auto prompt = standin::textsWith("Wpisz swoje imię:");
    ASSERT_EQ(prompt.size(), 1u);
    EXPECT_EQ(prompt[0].target, app::Assets.strip);
    EXPECT_EQ(prompt[0].x, 285);
    EXPECT_EQ(prompt[0].flags, ALLEGRO_ALIGN_RIGHT);
    const auto strips = standin::drawsOf(app::Assets.strip);
    ASSERT_EQ(strips.size(), 19u); // none at the first step
    EXPECT_EQ(strips.back().sy, 3);
    EXPECT_EQ(strips.back().sh, 37);
    EXPECT_EQ(strips.back().dy, 569 - 19);
    EXPECT_EQ(strips.back().target, standin::backbuffer());
}

TEST_F(NameEntry, AResultAfterTheLastLevelIsRecordedWithLevelEight) {
    GameState.level = 9;
    enterName(driver::typed("Neptun") + std::vector<Key>{driver::enter()});
    EXPECT_EQ(HighScoreList.entry[1].level, 8);
    EXPECT_EQ(GameState.level, 8);
}

TEST_F(NameEntry, AResultOutsideTheListIsStoredUnchangedAndNotHighlighted) {
    std::string plain;
    for (int i = 1; i <= 20; ++i) {
        plain += "P" + std::to_string(i) + " 5 " + std::to_string(100000 - i) + " ";
    }
    folder.write("lir.txt", records::encodeListText(plain + "... 0 0 "));
    enterName(driver::typed("Maly") + std::vector<Key>{driver::enter()});
    EXPECT_EQ(records::decodeListText(folder.read("lir.txt")), plain + "... 0 0 ");
    for (const auto& d : standin::drawsOf(app::Assets.screen)) {
        EXPECT_FALSE(d.target == app::Assets.screen && d.tinted) << "a row was highlighted";
    }
}

TEST_F(NameEntry, TheTimedGameEntersTheTimedList) {
    GameState.mode = board::GameMode::Timed;
    enterName(driver::typed("Szybki") + std::vector<Key>{driver::enter()});
    EXPECT_TRUE(folder.exists("lic.txt"));
    EXPECT_FALSE(folder.exists("lir.txt"));
}

TEST_F(NameEntry, FinishingAResumedGameDeletesItsStoredFile) {
    saves::SaveIndex.count = 2;
    saves::currentSaveName = "abc";
    folder.write("abc", "stored");
    enterName(driver::typed("Ewa") + std::vector<Key>{driver::enter()});
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
