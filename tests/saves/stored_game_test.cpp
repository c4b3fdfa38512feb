#include "board/game_state.hpp"
#include "records/fixture.hpp"
#include "records/options.hpp"
#include "saves/save_index.hpp"
#include "saves/stored_game.hpp"

#include <cmath>
#include <regex>

namespace {

using app::Settings;
using board::GameState;
using fixture::repeat;
using saves::SaveIndex;

class StoredGame : public ::testing::Test {
  protected:
    void SetUp() override { support::resetWorld(); }
    support::ScratchFolder folder;
};

TEST_F(StoredGame, TheCountFileHoldsTheNumberAloneAndAnythingButACountChangesNothing) {
    SaveIndex.count = 7;
    EXPECT_TRUE(saves::writeSaveIndex());
    EXPECT_EQ(folder.read("zg.txt"), "7");
    SaveIndex.count = 0;
    saves::readSaveIndex();
    EXPECT_EQ(SaveIndex.count, 7);
    for (const char* text : {"siedem", "-2", "99999999999"}) {
        SCOPED_TRACE(text);
        folder.write("zg.txt", text);
        saves::readSaveIndex();
        EXPECT_EQ(SaveIndex.count, 7);
    }
    EXPECT_EQ(fixture::fileCount(folder), 1);
}

TEST_F(StoredGame, TheFileHoldsTwelveLinesByteForByteReplacesAnOldOneWholeAndReadsBack) {
    folder.write("abc", std::string(5000, '9'));
    GameState = {.mode = 1,
                 .level = 4,
                 .score = 123456,
                 .record = 200000,
                 .stars = 4,
                 .columnStar = {0, 1, 0, 1, 0, 1, 0, 1, 0},
                 .kindProgress = {0, 17, 37, 57, 77, 97},
                 .clockBar = 77};
    Settings = {0.3f, 1.37f}; // written with six digits at most
    std::string expected;
    for (int cell = 1; cell <= 64; ++cell) {
        GameState.cellKind[cell] = 1 + (cell * 5) % 7;
        expected += std::to_string(GameState.cellKind[cell]) + (cell % 8 == 0 ? " \n" : " ");
    }
    expected += "\n1 0 1 0 1 0 1 0 \n17 37 57 77 97 \n4 4 123456 200000 77 0.3 1.37 1 ";
    ASSERT_TRUE(saves::writeStoredGame("abc"));
    EXPECT_EQ(folder.read("abc"), expected);
    EXPECT_EQ(fixture::fileCount(folder), 1) << "nothing but the stored game is left";
    GameState = board::GameStateRecord{};
    Settings = app::SettingsRecord{};
    saves::readStoredGame("abc");
    EXPECT_EQ(saves::storedGameText(), expected);
}

TEST_F(StoredGame, OtherLineEndsReadTheSameAndAFileCutShortKeepsTheRestAsItWas) {
    const std::string values =
        repeat("2 ", 64) + repeat("1 ", 8) + repeat("50 ", 5) + "3 8 900 1000 12 0.25 0.75 0";
    for (const std::string& text :
         {values, std::regex_replace(values, std::regex(" "), " \r\n"), repeat("2 ", 64)}) {
        const bool cut = text.size() < values.size();
        GameState = {.mode = 1, .level = 5};
        Settings.effectsVolume = 0.5f;
        folder.write("gra", text);
        saves::readStoredGame("gra");
        EXPECT_EQ(GameState.cellKind[64], 2);
        EXPECT_EQ(GameState.columnStar[8], cut ? 0 : 1);
        EXPECT_EQ(GameState.kindProgress[5], cut ? 0 : 50);
        EXPECT_EQ(GameState.level, cut ? 5 : 3);
        EXPECT_EQ(GameState.record, cut ? 0 : 1000);
        EXPECT_FLOAT_EQ(Settings.effectsVolume, cut ? 0.5f : 0.75f);
        EXPECT_EQ(GameState.mode, cut ? 1 : 0);
    }
}

// The first value outside what the game can show stops the reading as a word would.
TEST_F(StoredGame, AValueOutsideItsRangeStopsTheReading) {
    const std::string board = repeat("2 ", 64), sides = repeat("0 ", 8) + repeat("10 ", 5);
    const std::string oneStar = "0 1 " + repeat("0 ", 6) + repeat("10 ", 5);
    auto tenthCell = [&](const char* kind) {
        return repeat("2 ", 9) + kind + " " + repeat("2 ", 54) + sides + "2 0 5 5 0 1 1 1";
    };
    const std::pair<const char*, std::string> cases[] = {
        {"a word", tenthCell("x")},
        {"kind 8", tenthCell("8")},
        {"kind 0", tenthCell("0")},
        {"column star 2", board + "0 2 " + repeat("0 ", 6) + repeat("10 ", 5) + "2 0 5 5 0 1 1 1"},
        {"bar 101", board + repeat("0 ", 8) + "10 101 10 10 10 2 0 5 5 0 1 1 1"},
        {"level 9", board + sides + "9 0 5 5 0 1 1 1"},
        {"level 0", board + sides + "0 0 5 5 0 1 1 1"},
        {"stars 9", board + sides + "2 9 5 5 0 1 1 1"},
        {"two stars but one column star", board + oneStar + "2 2 5 5 0 1 1 1"},
        {"no stars but one column star", board + oneStar + "2 0 5 5 0 1 1 1"},
        {"a score past the highest kept", board + sides + "2 0 1000000000 5 0 1 1 1"},
        {"a score near the int limit", board + sides + "2 0 2147483600 5 0 1 1 1"},
        {"a negative record", board + sides + "2 0 5 -5 0 1 1 1"},
        {"clock -1", board + sides + "2 0 5 5 -1 1 1 1"},
        {"volume nan", board + sides + "2 0 5 5 0 nan 1 1"},
        {"volume inf", board + sides + "2 0 5 5 0 1 inf 1"},
        {"volume 1e30", board + sides + "2 0 5 5 0 1e30 1 1"},
        {"mode 2", board + sides + "2 0 5 5 0 1 1 2"},
    };
    for (const auto& [what, text] : cases) {
        SCOPED_TRACE(what);
        support::resetWorld();
        folder.write("gra", text);
        saves::readStoredGame("gra");
        EXPECT_EQ(GameState.cellKind[1], 2); // what came before is read
        EXPECT_EQ(GameState.mode, 0);        // the last value never is
        EXPECT_TRUE(std::isfinite(Settings.musicVolume) && Settings.musicVolume <= 1.5f);
        EXPECT_TRUE(GameState.level >= 1 && GameState.level <= 8);
        EXPECT_TRUE(GameState.score >= 0 && GameState.score <= board::kMaxScore);
        int flags = 0;
        for (int column = 1; column <= 8; ++column) {
            flags += GameState.columnStar[column];
        }
        EXPECT_EQ(GameState.stars, flags) << "the tray's count and its columns agree";
    }
    // A timed game's clock above 315 stays allowed: the game times out at once. A relaxed
    // game has no clock, so its stored one is not taken.
    folder.write("gra", board + oneStar + "2 1 5 5 400 1 1 1");
    saves::readStoredGame("gra");
    EXPECT_EQ(GameState.clockBar, 400);
    EXPECT_EQ(GameState.mode, 1);
    EXPECT_EQ(GameState.stars, 1);
    folder.write("gra", board + oneStar + "2 1 5 5 400 1 1 0");
    saves::readStoredGame("gra");
    EXPECT_EQ(GameState.clockBar, 0);
}

// Folders, paths and other files are refused through the load dialog; these names cannot
// even be typed there.
TEST_F(StoredGame, NoNameAPasswordCannotHaveIsEverTakenOrReadAsAStoredGame) {
    folder.write("opc.txt", "1 1 1 1 1 1");
    folder.write(std::string(18, 'a'), "1");
    EXPECT_FALSE(saves::storedGameExists(std::string(18, 'a')));
    EXPECT_FALSE(saves::storedGameExists(""));
    saves::readStoredGame("opc.txt");
    EXPECT_EQ(GameState.cellKind[1], 0);
}

TEST_F(StoredGame, AStoreThatCannotBeWrittenLeavesTheOldFilesAlone) {
    fixture::blockWithFolder(folder, "gr");
    EXPECT_FALSE(saves::writeStoredGame("gr"));
    EXPECT_EQ(folder.read("gr/keep"), "x");
    EXPECT_FALSE(saves::writeStoredGame("../abc"));
    EXPECT_EQ(fixture::fileCount(folder), 1) << "a temporary file was left behind";
}

} // namespace
