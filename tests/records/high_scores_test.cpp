#include "board/game_state.hpp"
#include "records/fixture.hpp"
#include "records/high_scores.hpp"
#include "saves/save_index.hpp"

#include <climits>

namespace {

using board::GameState;
using fixture::repeat;
using records::decodeListText;
using records::encodeListText;
using records::HighScoreList;

// The entries in memory that are not empty, in the file's plain text.
std::string listed() {
    std::string out;
    for (const auto& e : HighScoreList.entry) {
        if (!e.name.empty() || e.level != 0 || e.score != 0) {
            out += e.name + " " + std::to_string(e.level) + " " + std::to_string(e.score) + " ";
        }
    }
    return out;
}

class HighScores : public ::testing::Test {
  protected:
    void SetUp() override {
        support::resetWorld();
        HighScoreList = {};
        records::newEntryIndex = 0;
    }
    support::ScratchFolder folder;
};

TEST_F(HighScores, TheFileHoldsTwentyOneTriplesEachByteLoweredBySevenAndIsReplacedAtomically) {
    EXPECT_EQ(encodeListText("abc 0\x03"), "Z[\\\x19)\xFC");
    EXPECT_EQ(decodeListText("\xFC\x19"), "\x03 ");
    records::writeList();
    EXPECT_EQ(folder.read("lir.txt").size(), 168u);
    EXPECT_EQ(folder.read("lir.txt"), encodeListText(repeat("... 0 0 ", 21)));
    const std::pair<records::HighScoreEntry, std::string> cases[] = {
        {{"Abc", 3, 1250}, "Abc 3 1250 "},
        {{"A", 2, 70}, "... 2 70 "}, // a one-byte name is written as dots
        {{"Ola", -3, -250}, "Ola -3 -250 "},
    };
    for (const auto& [first, written] : cases) {
        SCOPED_TRACE(written);
        HighScoreList.entry[1] = first;
        records::writeList();
        EXPECT_EQ(folder.read("lir.txt"), encodeListText(written + repeat("... 0 0 ", 20)));
        EXPECT_EQ(fixture::fileCount(folder), 1) << "a temporary file was left behind";
        records::readList();
        EXPECT_EQ(listed(), written + repeat("... 0 0 ", 20)) << "read back";
    }
    std::filesystem::remove("lir.txt");
    fixture::blockWithFolder(folder, "lir.txt"); // a list that cannot be replaced
    records::writeList();
    EXPECT_EQ(folder.read("lir.txt/keep"), "x");
    EXPECT_EQ(fixture::fileCount(folder), 1) << "a temporary file was left behind";
}

TEST_F(HighScores, ReadingTakesWhatTheFileHoldsAndNoMore) {
    const std::string sixteen = "abcdefghijklmnop";
    struct Case {
        const char* what;
        std::string file; // plain text, encoded as the game writes it unless `raw`
        std::string list;
        bool raw = false;
    };
    const Case cases[] = {
        {"no file", "", "", true},
        {"cut in a triple: its score stays empty", repeat("N 1 5 ", 7) + "Ucięty 4",
         repeat("N 1 5 ", 7) + "Ucięty 4 0 "},
        {"only the first twenty of twenty-five triples", repeat("N 1 5 ", 25),
         repeat("N 1 5 ", 20)},
        {"a bad field ends the reading", "A1 1 10 A2 x 20 A3 3 30 ", "A1 1 10 A2 0 0 "},
        {"a number beyond 32 bits is a bad field", "A1 1 2147483647 A2 1 2147483648 A3 1 5 ",
         "A1 1 2147483647 A2 1 0 "},
        {"odd but valid numbers stay as read", "Zbyt 99 -2147483648 ", "Zbyt 99 -2147483648 "},
        {"only the first line", encodeListText("Ala 1 50 ") + "\n" + encodeListText("Ola 1 40 "),
         "Ala 1 50 ", true},
        {"overlong names cut without splitting a Polish letter",
         sixteen + "\xC5\xBCxyz 1 10 " + std::string(5000, 'q') + " 2 20 ",
         sixteen + " 1 10 " + std::string(17, 'q') + " 2 20 "},
        {"a huge file without line ends", std::string(3 << 20, '\x3A'),
         std::string(17, 'A') + " 0 0 ", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::filesystem::remove(folder.path() / "lir.txt");
        if (!c.file.empty()) {
            folder.write("lir.txt", c.raw ? c.file : encodeListText(c.file));
        }
        folder.write("xh.txt", "Obcy 8 999999 "); // a stale decoded copy is made anew
        HighScoreList.entry[4] = {"Stary", 2, 90};
        records::readList();
        EXPECT_EQ(listed(), c.list);
        EXPECT_FALSE(folder.exists("xh.txt")) << "the decoded copy stayed";
    }
}

TEST_F(HighScores, EachModeHasItsOwnFileAndRecordAndAnyOtherModeNone) {
    folder.write("lir.txt", encodeListText("Relaks 1 10 "));
    folder.write("lic.txt", encodeListText("Czas 2 20 "));
    const std::pair<int, int> cases[] = {{0, 10}, {1, 20}, {2, 0}, {-1, 0}, {INT_MAX, 0}};
    for (const auto& [mode, record] : cases) {
        GameState.mode = mode;
        records::loadRecordForMode(); // as a game starts
        EXPECT_EQ(GameState.record, record) << mode;
        records::writeList();
    }
    EXPECT_EQ(decodeListText(folder.read("lir.txt")), "Relaks 1 10 " + repeat("... 0 0 ", 20));
    EXPECT_EQ(decodeListText(folder.read("lic.txt")), "Czas 2 20 " + repeat("... 0 0 ", 20));
    EXPECT_EQ(fixture::fileCount(folder), 2) << "a file for no mode";
}

TEST_F(HighScores, AResultIsInsertedBelowEqualScores) {
    const std::pair<int, int> cases[] = {{960, 6}, {5000, 1}, {811, 20}, {810, 0}}; // score, place
    for (const auto& [score, place] : cases) {
        SCOPED_TRACE(score);
        for (int i = 1; i <= 20; ++i) { // 1P 1000, 2P 990, ... 20P 810
            HighScoreList.entry[i] = {std::to_string(i) + "P", 2, 1010 - 10 * i};
        }
        EXPECT_EQ(records::lastPlaceScore(), 810);
        records::newEntryIndex = 0;
        records::insertResult("Nowy", 3, score);
        EXPECT_EQ(records::newEntryIndex, place);
        for (int i = 1; i <= 20; ++i) {
            const int old = place == 0 || i < place ? i : i - 1;
            EXPECT_EQ(HighScoreList.entry[i].name, i == place ? "Nowy" : std::to_string(old) + "P");
        }
        EXPECT_EQ(HighScoreList.entry[21].name, "");
    }
    records::clearListInMemory();
    HighScoreList.entry[1] = {"A", 1, 100};
    HighScoreList.entry[2] = {"B", 1, 50};
    records::insertResult("C", 1, 10);
    EXPECT_EQ(records::newEntryIndex, 3) << "the first empty place";
}

TEST_F(HighScores, StoringAfterANameEntryNeverDeletesNorCountsANameNoPasswordCanHave) {
    saves::SaveIndex.count = 3;
    folder.write("opc.txt", "0.5\n0.5\n0\n");
    for (const char* name : {"", "opc.txt", "../x", "a b"}) { // "": a new game
        saves::currentSaveName = name;
        // As the game does once a name entry has stored the result.
        if (records::writeList()) {
            saves::discardStoredGame();
        }
        EXPECT_EQ(folder.read("zg.txt"), "3") << name;
    }
    EXPECT_EQ(folder.read("opc.txt"), "0.5\n0.5\n0\n");
}

} // namespace
