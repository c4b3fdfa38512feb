#include "board/game_state.hpp"
#include "records/options.hpp"
#include "saves/save_index.hpp"
#include "saves/stored_game.hpp"
#include "support/headless.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <regex>

namespace {

using board::GameState;
using records::Options;
using saves::SaveIndex;

// A game in progress with every stored field set to something recognisable.
void givenGame() {
    for (int cell = 1; cell <= 64; ++cell) {
        GameState.cellKind[cell] = 1 + (cell * 5) % 7;
    }
    for (int column = 1; column <= 8; ++column) {
        GameState.columnStar[column] = column % 2;
    }
    for (int kind = 1; kind <= 5; ++kind) {
        GameState.kindProgress[kind] = 20 * kind - 3;
    }
    GameState.level = 4;
    GameState.stars = 5;
    GameState.score = 123456;
    GameState.record = 200000;
    GameState.clockBar = 77;
    Options.musicVolume = 0.5f;
    Options.effectsVolume = 1.0f;
    GameState.mode = board::GameMode::Timed;
}

std::string numbers(int from, int count) {
    std::string text;
    for (int i = 0; i < count; ++i) {
        text += std::to_string(from) + " ";
    }
    return text;
}

class StoredGame : public ::testing::Test {
  protected:
    void SetUp() override { support::resetWorld(); }

    static int files(const support::ScratchFolder& f) {
        int n = 0;
        for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(f.path())) {
            ++n;
        }
        return n;
    }

    support::ScratchFolder folder;
};

TEST_F(StoredGame, TheCountFileHoldsTheNumberAlone) {
    saves::readSaveIndex();
    EXPECT_EQ(SaveIndex.count, 0);
    folder.write("zg.txt", "3");
    saves::readSaveIndex();
    EXPECT_EQ(SaveIndex.count, 3);
    folder.write("zg.txt", "siedem");
    saves::readSaveIndex();
    EXPECT_EQ(SaveIndex.count, 3);
    SaveIndex.count = -2;
    EXPECT_TRUE(saves::writeSaveIndex());
    EXPECT_EQ(folder.read("zg.txt"), "-2");
    SaveIndex.count = 14;
    saves::writeSaveIndex();
    EXPECT_EQ(folder.read("zg.txt"), "14");
    EXPECT_EQ(files(folder), 1);
}

TEST_F(StoredGame, TheFileHoldsTwelveLinesByteForByte) {
    givenGame();
    for (int cell = 1; cell <= 8; ++cell) {
        GameState.cellKind[cell] = cell;
    }
    std::string expected = "1 2 3 4 5 6 7 8 \n";
    for (int row = 2; row <= 8; ++row) {
        for (int cell = 8 * (row - 1) + 1; cell <= 8 * row; ++cell) {
            expected += std::to_string(GameState.cellKind[cell]) + " ";
        }
        expected += "\n";
    }
    expected += "\n1 0 1 0 1 0 1 0 \n17 37 57 77 97 \n4 5 123456 200000 77 0.5 1 1 ";
    ASSERT_TRUE(saves::writeStoredGame("abc"));
    EXPECT_EQ(folder.read("abc"), expected);
    EXPECT_EQ(files(folder), 1) << "nothing but the stored game is left";
}

TEST_F(StoredGame, VolumesAreWrittenWithSixDigitsAtMost) {
    givenGame();
    Options.musicVolume = 0.3f;
    Options.effectsVolume = 1.37f;
    EXPECT_TRUE(std::regex_search(saves::storedGameText(), std::regex(" 0\\.3 1\\.37 1 $")));
}

TEST_F(StoredGame, AStoredGameReadsBackEqual) {
    givenGame();
    ASSERT_TRUE(saves::writeStoredGame("Gra\xC5\xBC"));
    const std::string stored = saves::storedGameText();
    GameState = board::GameStateRecord{};
    Options = records::OptionsRecord{};
    saves::readStoredGame("Gra\xC5\xBC");
    EXPECT_EQ(saves::storedGameText(), stored);
}

TEST_F(StoredGame, OtherLineEndsOrOneLineReadTheSame) {
    const std::string values =
        numbers(2, 64) + numbers(1, 8) + numbers(50, 5) + "3 8 900 1000 12 0.25 0.75 1";
    std::string crlf = values;
    crlf = std::regex_replace(crlf, std::regex(" "), " \r\n");
    for (const std::string& text : {values, crlf}) {
        GameState = board::GameStateRecord{};
        folder.write("gra", text);
        saves::readStoredGame("gra");
        EXPECT_EQ(GameState.cellKind[64], 2);
        EXPECT_EQ(GameState.columnStar[8], 1);
        EXPECT_EQ(GameState.kindProgress[5], 50);
        EXPECT_EQ(GameState.record, 1000);
        EXPECT_FLOAT_EQ(Options.effectsVolume, 0.75f);
        EXPECT_EQ(GameState.mode, 1);
    }
}

TEST_F(StoredGame, AFileCutAfterTheBoardKeepsTheRestAsItWas) {
    GameState.level = 1;
    GameState.clockBar = 0;
    Options.musicVolume = 0.9f;
    GameState.mode = board::GameMode::Timed;
    folder.write("gra", numbers(3, 64));
    saves::readStoredGame("gra");
    EXPECT_EQ(GameState.cellKind[1], 3);
    EXPECT_EQ(GameState.cellKind[64], 3);
    EXPECT_EQ(GameState.columnStar[1], 0);
    EXPECT_EQ(GameState.level, 1);
    EXPECT_FLOAT_EQ(Options.musicVolume, 0.9f);
    EXPECT_EQ(GameState.mode, board::GameMode::Timed);
}

// The first value outside what the game can show stops the reading like a word would.
struct OutOfRange {
    const char* what;
    std::string text;
};

TEST_F(StoredGame, AValueOutsideItsRangeStopsTheReading) {
    const std::string board = numbers(2, 64);
    const std::string sides = numbers(0, 8) + numbers(10, 5);
    const std::vector<OutOfRange> cases = {
        {"a word", numbers(2, 9) + "x " + numbers(2, 54) + sides + "2 1 5 5 0 1 1 1"},
        {"kind 8", numbers(2, 9) + "8 " + numbers(2, 54) + sides + "2 1 5 5 0 1 1 1"},
        {"kind 0", numbers(2, 9) + "0 " + numbers(2, 54) + sides + "2 1 5 5 0 1 1 1"},
        {"column star 2", board + "0 2 " + numbers(0, 6) + numbers(10, 5) + "2 1 5 5 0 1 1 1"},
        {"bar 101", board + numbers(0, 8) + "10 101 10 10 10 2 1 5 5 0 1 1 1"},
        {"level 9", board + sides + "9 1 5 5 0 1 1 1"},
        {"level 0", board + sides + "0 1 5 5 0 1 1 1"},
        {"stars 9", board + sides + "2 9 5 5 0 1 1 1"},
        {"clock -1", board + sides + "2 1 5 5 -1 1 1 1"},
        {"volume nan", board + sides + "2 1 5 5 0 nan 1 1"},
        {"volume inf", board + sides + "2 1 5 5 0 1 inf 1"},
        {"volume 1e30", board + sides + "2 1 5 5 0 1e30 1 1"},
        {"mode 2", board + sides + "2 1 5 5 0 1 1 2"},
    };
    for (const OutOfRange& c : cases) {
        support::resetWorld();
        folder.write("gra", c.text);
        saves::readStoredGame("gra");
        SCOPED_TRACE(c.what);
        EXPECT_EQ(GameState.cellKind[1], 2); // what came before is read
        EXPECT_EQ(GameState.mode, 0);        // the last value never is
        EXPECT_TRUE(std::isfinite(Options.musicVolume));
        EXPECT_LE(Options.musicVolume, 1.5f);
        EXPECT_GE(GameState.level, 1);
        EXPECT_LE(GameState.level, 8);
    }
    // A clock above 315 stays allowed: the game times out at once.
    folder.write("gra", board + sides + "2 1 5 5 400 1 1 1");
    saves::readStoredGame("gra");
    EXPECT_EQ(GameState.clockBar, 400);
    EXPECT_EQ(GameState.mode, 1);
}

TEST_F(StoredGame, OnlyARegularFileNamedByAPasswordIsAStoredGame) {
    folder.write("abc", "1");
    folder.write("opc.txt", "0.5\n0.5\n0\n");
    folder.write("a b", "1");
    std::filesystem::create_directory(folder.path() / "gr");
    std::filesystem::create_directory(folder.path() / "sub");
    folder.write("sub/x", "1");
    EXPECT_TRUE(saves::storedGameExists("abc"));
    EXPECT_FALSE(saves::storedGameExists("abd"));
    EXPECT_FALSE(saves::storedGameExists("opc.txt"));
    EXPECT_FALSE(saves::storedGameExists("a b"));
    EXPECT_FALSE(saves::storedGameExists("gr"));
    EXPECT_FALSE(saves::storedGameExists("sub/x"));
    EXPECT_FALSE(saves::storedGameExists("../x"));
    EXPECT_FALSE(saves::storedGameExists(""));
    EXPECT_FALSE(saves::storedGameExists(std::string(18, 'a')));
}

TEST_F(StoredGame, NoFileOtherThanAStoredGameIsEverReadAsOne) {
    folder.write("opc.txt", "1 1 1 1 1 1");
    saves::readStoredGame("opc.txt");
    EXPECT_EQ(GameState.cellKind[1], 0);
}

TEST_F(StoredGame, AStoreThatCannotBeWrittenLeavesTheOldFilesAlone) {
    givenGame();
    std::filesystem::create_directory(folder.path() / "gr");
    folder.write("gr/elementy.png", "picture");
    EXPECT_FALSE(saves::writeStoredGame("gr"));
    EXPECT_EQ(folder.read("gr/elementy.png"), "picture");
    EXPECT_FALSE(saves::writeStoredGame("../abc"));
    EXPECT_EQ(files(folder), 1) << "a temporary file was left behind";
}

TEST_F(StoredGame, StoringAgainReplacesTheFileWhole) {
    folder.write("abc", std::string(5000, '9'));
    givenGame();
    ASSERT_TRUE(saves::writeStoredGame("abc"));
    EXPECT_EQ(folder.read("abc"), saves::storedGameText());
}

} // namespace
